// XRptColumn: one column of a banded report: its title and data blocks (one per line), pictures, fonts,
// colours, its running total and its place on the page. TRptColumn is its user class.
#pragma once

#include <memory>
#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XReport;

class XRptColumn : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnPrintData{"OnPrintData"}, OnPrintTitle{"OnPrintTitle"},
        OnPrintTotal{"OnPrintTotal"}, OnAddToTotal{"OnAddToTotal"};

    VP_CONSTRUCTORS(New,     // ([oReport]) -> Self
                    Create)  // ([oReport]) -> Self: defaults for the blocks and pictures
    VP_METHODS(PrintTitle,   // (nRow, [nLine]) -> NIL
               PrintData,    // (nRow, [nLine]) -> NIL: also adds a totalling line's number to the totals
               PrintTotal,   // (nRow) -> NIL
               Adjust,       // (nOrder) -> Self: measures the column on the report's device
               XlsGetData)   // ([nLine]) -> data line nLine of the current record as the spreadsheet gets it

    std::shared_ptr<XReport> report() const;
    int dataLines() const;
    int titleLines() const;
    // The value of data line `line` (1-based) evaluated with the column; NIL becomes "".
    rt::Value dataValue(int line);
    std::string titleText(int line);
    // The value as its line's picture shows it.
    std::string dataText(int line, const rt::Value& value) const;
    // The picture of data line `line`: its own, else the total picture.
    std::string picture(int line) const;
    // A record's lines start summing into `Value` from 0.
    void resetValue() { field(kValue) = rt::Value(0); }
    std::string totalText() const;
    // A totalling column's number goes to `Value`, `nTotal` and every group's total (OnAddToTotal may change it).
    void addToTotals(int line, const rt::Value& value);

    bool lTotal() const { return field(kTotal).asLogical(); }
    int nAlignment() const { return field(kAlignment).asInt(); }
    int nDataFont() const { return field(kDataFont).asInt(); }
    int nTitleFont() const { return field(kTitleFont).asInt(); }
    int64_t nClrPane() const { return field(kClrPane).asInteger(); }
    int64_t nTitleClrPane() const { return field(kTitleClrPane).asInteger(); }
    int64_t nClrText() const { return field(kClrText).asInteger(); }
    const std::string& cTotalPict() const { return field(kTotalPict).asString(); }
    double nTotal() const { return field(kTotalSum).asDouble(); }
    int64_t nWidth() const { return field(kWidth).asInteger(); }
    int64_t nCol() const { return field(kCol).asInteger(); }
    void setCol(int64_t x) { field(kCol) = rt::Value(x); }
    int64_t nDataHeight() const { return field(kDataHeight).asInteger(); }
    int64_t nTitleHeight() const { return field(kTitleHeight).asInteger(); }
    int nOrder() const { return field(kOrder).asInt(); }
    const rt::Value& aData() const { return field(kData); }
    const rt::Value& aTitle() const { return field(kTitle); }
    const rt::Value& aPicture() const { return field(kPicture); }

private:
    static inline int kReport = -1, kData = -1, kTitle = -1, kPicture = -1, kAlignment = -1, kDataFont = -1,
                      kTitleFont = -1, kTotalFont = -1, kClrText = -1, kCharSize = -1, kClrPane = -1,
                      kTitleClrText = -1, kTitleClrPane = -1, kTotalPict = -1, kTotal = -1, kTotalSum = -1,
                      kWidth = -1, kDataHeight = -1, kTitleHeight = -1, kValue = -1, kCol = -1, kOrder = -1,
                      kCurLine = -1;

    int64_t measuredChars();
    void draw(int64_t row, int64_t height, std::string text, int font, int64_t color);
};

using TRptColumn = UserClass<XRptColumn, "TRptColumn">;

}  // namespace vorpex
