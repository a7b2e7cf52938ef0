// XRptGroup: a group level of a banded report: its key block, header and footer texts and its totals, one per
// report column. Keys compare exactly: a key that merely begins with the previous one is another group.
// TRptGroup is its user class.
#pragma once

#include <memory>
#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XReport;

class XRptGroup : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnPrintTotal{"OnPrintTotal"}, OnPrintHeader{"OnPrintHeader"},
        OnPrintFooter{"OnPrintFooter"};

    VP_CONSTRUCTORS(New,     // ([oReport]) -> Self
                    Create)  // ([oReport]) -> Self
    VP_METHODS(Reset,        // () -> NIL: the current key becomes the group's, totals and counter to zero
               Adjust,       // (nOrder) -> Self
               PrintHeader,  // (nRow) -> NIL
               PrintFooter,  // (nRow) -> NIL
               PrintTotal,   // (nRow) -> NIL
               Evaluate,     // () -> nCounter + 1
               Check)        // () -> .T. when the current record's key differs from the group's

    std::shared_ptr<XReport> report() const;
    // The key of the current record as text; a block that fails gives "".
    std::string currentKey();
    std::string headerText();
    std::string footerText();
    // The group's total for the column of order `order` (1-based), 0 when there is none.
    rt::Value total(int order) const;
    void addToTotal(int order, const rt::Value& amount);

    bool lHeader() const { return field(kHasHeader).asLogical(); }
    bool lFooter() const { return field(kHasFooter).asLogical(); }
    bool lEject() const { return field(kEject).asLogical(); }
    bool lNeedStart() const { return field(kNeedStart).asLogical(); }
    void setNeedStart(bool on) { field(kNeedStart) = on; }
    int64_t nCounter() const { return field(kCounter).asInteger(); }
    int64_t nHeaderHeight() const { return field(kHeaderHeight).asInteger(); }
    int64_t nFooterHeight() const { return field(kFooterHeight).asInteger(); }
    int nFont() const { return field(kFont).asInt(); }
    int64_t nClrText() const { return field(kClrText).asInteger(); }
    const std::string& cValue() const { return field(kValue).asString(); }

private:
    static inline int kReport = -1, kGroup = -1, kHeader = -1, kFooter = -1, kFont = -1, kClrText = -1,
                      kEject = -1, kCounter = -1, kTotals = -1, kValue = -1, kOldValue = -1, kHeaderHeight = -1,
                      kFooterHeight = -1, kOrder = -1, kNeedStart = -1, kHasHeader = -1, kHasFooter = -1;

    std::string eventText(const EventRef& event, std::string text, int& font, int64_t& color);
    void drawTotals(int64_t row);
};

using TRptGroup = UserClass<XRptGroup, "TRptGroup">;

}  // namespace vorpex
