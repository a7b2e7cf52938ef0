// XDBNavigator: a tool bar of ten buttons that moves through and edits a data set (first, previous, next, last,
// insert, delete, edit, OK, cancel, refresh). It is one of the set's linked controls: the set's moves refresh
// its buttons, and entering and leaving an edit unlock and lock them. The decisions are in navigator_rules.h.
// TDBNavigator is its user class.
#pragma once

#include "framework/controls/toolbar/toolbar.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex::data {

class XDBNavigator : public TToolBar {
public:
    using TToolBar::TToolBar;
    static const rt::Class& classRecord();
    VP_METHODS(Refresh,     // the set's (NIL, nOperation, ...) arguments are not needed
               Lock,
               UnLock,
               SetDataSet)  // (oSet or NIL)
    VP_OVERRIDES(New,      // (oParent) -> Self with its ten buttons
                 Create,   // (oParent) -> Self
                 Free,
                 Command)  // (nNotify, nId) -> 0 when handled

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
