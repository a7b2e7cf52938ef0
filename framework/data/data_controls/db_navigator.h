// XDBNavigator: a tool bar of ten buttons that moves through and edits a data set (first, previous, next, last,
// insert, delete, edit, OK, cancel, refresh). It is one of the set's linked controls: the set's moves refresh
// its buttons, and entering and leaving an edit unlock and lock them. The decisions are in navigator_rules.h.
// TDBNavigator is its user class.
#pragma once

#include "framework/controls/toolbar/toolbar.h"
#include "framework/core/object/user_class.h"

namespace vorpex::data {

class XDBNavigator : public TToolBar {
public:
    using TToolBar::TToolBar;
    static const rt::Class& classRecord();

    rt::Value New(rt::Args args) override;     // (oParent) -> Self with its ten buttons
    rt::Value Create(rt::Args args) override;  // (oParent) -> Self
    rt::Value Free(rt::Args args) override;
    rt::Value Refresh(rt::Args args);  // the set's (NIL, nOperation, ...) arguments are not needed
    rt::Value Lock(rt::Args args);
    rt::Value UnLock(rt::Args args);
    rt::Value SetDataSet(rt::Args args);        // (oSet or NIL)
    rt::Value Command(rt::Args args);           // (nNotify, nId) -> 0 when handled

private:
    static inline int kTooltips = -1, kDataSet = -1, kFirstShowFlag = -1;
    rt::Value dataSet() const;
    rt::Value setShown(int button, rt::Args args);
    // Button n (1-based) enabled or not, through its own object so the bar's rebuilds keep it.
    void enableButton(int button, bool on);
    void enableRange(int first, int last, bool on);
};

using TDBNavigator = UserClass<XDBNavigator, "TDBNavigator">;

}  // namespace vorpex::data
