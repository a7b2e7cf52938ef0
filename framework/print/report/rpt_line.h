// XRptLine: a set of text lines of a banded report (its header, title or footer): a block per line, with
// alignment and font, laid out once and printed on every page. TRptLine is its user class.
#pragma once

#include <memory>
#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XReport;

class XRptLine : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnPrintLine{"OnPrintLine"};

    VP_CONSTRUCTORS(New,     // ([oReport]) -> Self
                    Create)  // ([oReport], [aLine], [nAlign], [cType]) -> Self
    VP_METHODS(AddLine,      // ([bLine], [nAlign]) -> Self
               Adjust,       // ([nCol], [nRow]) -> Self: rows and widths on the report's device
               Print)        // ([nOffset]) -> NIL

    std::shared_ptr<XReport> report() const;
    int lineCount() const;
    // A set that is one empty line prints nothing and takes no room.
    bool blank();
    // Line `line` (1-based): its block evaluated with the report, so a footer can show the report's page.
    std::string lineText(int line);
    int lineAlignment(int line) const;
    int lineFont(int line) const;
    int64_t nHeight() const { return field(kHeight).asInteger(); }
    int64_t nWidth() const { return field(kWidth).asInteger(); }
    // The y of line `line` as laid out, or 0.
    int64_t lineRow(int line) const;

private:
    // Line blocks get the report, as the spreadsheet export's do.
    rt::Value blockOwner();
    static inline int kReport = -1, kLine = -1, kAlignment = -1, kFonts = -1, kColor = -1, kHeight = -1,
                      kWidth = -1, kRow = -1, kLineWidth = -1, kCol = -1;
};

using TRptLine = UserClass<XRptLine, "TRptLine">;

}  // namespace vorpex
