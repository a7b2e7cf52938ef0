// XReport: the banded report. It walks records through its blocks (`bWhile`, `bFor`, `bSkip`) or a data set,
// measures its columns, groups and line sets once (`Adjust`) and lays the pages out in device pixels: header,
// title and column titles on top of every page, data lines per record, group headers and footers with group
// totals, page and grand totals, and the footer. It prints through a report device (report_device.h): the
// printer object or its preview in the program, a recording device in the tests. TReport is its user class;
// the columns, groups and line sets are in rpt_column.h, rpt_group.h and rpt_line.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/print/report/report_device.h"
#include "framework/print/report/rpt_column.h"
#include "framework/print/report/rpt_group.h"
#include "framework/print/report/rpt_line.h"

namespace vorpex {

// Rule kinds and grid styles.
inline constexpr int rlNONE = 0, rlSINGLE = 1, rlDOUBLE = 3;
inline constexpr int rgNONE = 0, rgVERTICAL = 1, rgHORIZONTAL = 2, rgBOTH = 3;

class XReport : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnInit{"OnInit"}, OnEnd{"OnEnd"}, OnPostEnd{"OnPostEnd"},
        OnStartLine{"OnStartLine"}, OnEndLine{"OnEndLine"}, OnStartPage{"OnStartPage"}, OnEndPage{"OnEndPage"},
        OnPostPage{"OnPostPage"}, OnStartGroup{"OnStartGroup"}, OnEndGroup{"OnEndGroup"},
        OnPostGroup{"OnPostGroup"}, OnPreChange{"OnPreChange"}, OnChange{"OnChange"}, OnChanged{"OnChanged"};

    VP_CONSTRUCTORS(New,     // ([oParent]) -> Self
                    Create)  // ([oParent]) -> Self: makes the header, title and footer line sets
    VP_METHODS(AddColumn,    // ([oCol]) -> the column
               DelColumn,    // (n) -> Self
               AddGroup,     // ([oGroup]) -> the group
               DelGroup,     // (n) -> Self
               Adjust,       // () -> Self: measures and lays out on the device of the running job
               Run,          // () -> logical; ends the report
               StartLine,    // ([nHeight]) -> nRow
               EndLine,      // ([nHeight]) -> nRow
               NeedNewPage,  // ([nHeight]) -> logical
               NewPage,      // () -> NIL
               NewLine,      // ([nHeight]) -> NIL
               BackLine,     // ([nLines]) -> nRow
               LinesLeft,    // () -> number of lines of nLineHeight left on the page
               Finished,     // () -> logical: cancelled or no more records
               AreGroups,    // () -> logical
               PrintAtCol,   // (nCol, cText, [nAlign], [nFont], [nClr], [nWidth], [nHeight]) -> NIL
               PrintHorzLine,  // (nType, [lBefore], [lAfter]) -> NIL
               ToExcel)      // ([cFile], [lXlsNumeric]) -> logical: fills a new workbook of the spreadsheet
    VP_PROTECTED(Skip, PrintTitles, PrintTotals, StartGroup, EndGroup, StartPage, EndPage, MaxDataLines,
                 MaxTitleLines, MaxDataHeight, MaxTitleHeight, SetDataset, XlsStartGroup, XlsEndGroup)

    // Runs the job on `device` as Run does on the printer; false when there is nothing to print or the device
    // refuses the job.
    bool runOn(report::ReportDevice& device);
    // The device of the running job, or null.
    report::ReportDevice* device() const { return device_; }

    // The parts, in order.
    std::vector<std::shared_ptr<XRptColumn>> columns() const;
    std::vector<std::shared_ptr<XRptGroup>> groups() const;
    std::shared_ptr<XRptLine> header() const;
    std::shared_ptr<XRptLine> title() const;
    std::shared_ptr<XRptLine> footer() const;

    // The record walk: `bWhile` (or the data set's end), `bFor`, and a skip through `bSkip` or the data set.
    bool whileHolds();
    bool forHolds();
    bool finished();
    void skip(int64_t n);
    // The data set is kept quiet and at its first record for a run, and put back afterwards.
    void saveDataset();
    void restoreDataset();
    // Every group takes the current record's group key as its own (a new group starts there).
    void resetGroups();
    void countRecord() { field(kCounter) = rt::Value(field(kCounter).asInteger() + 1); }

    bool lSummary() const { return field(kSummary).asLogical(); }
    bool lTotal() const { return field(kTotal).asLogical(); }
    bool lCancel() const { return field(kCancel).asLogical(); }
    bool lPreview() const { return field(kPreview).asLogical(); }
    bool lXlsReport() const { return field(kXlsReport).asLogical(); }
    void setXlsReport(bool on) { field(kXlsReport) = on; }
    bool lXlsNumeric() const { return field(kXlsNumeric).asLogical(); }
    void setXlsNumeric(bool on) { field(kXlsNumeric) = on; }
    rt::Value& cXlsData() { return field(kXlsData); }
    const std::string& cJobName() const { return field(kJobName).asString(); }
    const std::string& cGrandTotal() const { return field(kGrandTotal).asString(); }
    const std::string& cPageTotal() const { return field(kPageTotal).asString(); }
    const rt::Value& oDataset() const { return field(kDataset); }
    int64_t nCounter() const { return field(kCounter).asInteger(); }
    int64_t nRow() const { return field(kRow).asInteger(); }
    int64_t nLineHeight() const { return field(kLineHeight).asInteger(); }
    int64_t nSeparator() const { return field(kSeparator).asInteger(); }
    int64_t nLeftCol() const { return field(kLeftCol).asInteger(); }
    int64_t nRightCol() const { return field(kRightCol).asInteger(); }
    int64_t nWidth() const { return field(kWidth).asInteger(); }

private:
    friend class ReportRun;
    friend class XlsExport;  // report_excel.cpp
    static inline int kDevice = -1, kTitleSet = -1, kHeaderSet = -1, kFooterSet = -1, kPen = -1, kDataset = -1,
                      kGroups = -1, kColumns = -1, kFonts = -1, kFor = -1, kWhile = -1, kSkipBlock = -1,
                      kJobName = -1, kPageTotal = -1, kGrandTotal = -1, kTitleUpLine = -1, kTitleDnLine = -1,
                      kTotalLine = -1, kGroupLine = -1, kGridStyle = -1, kTopMargin = -1, kBottomMargin = -1,
                      kLeftMargin = -1, kPage = -1, kClrLined = -1, kSummary = -1, kPreview = -1,
                      kPreviewModal = -1, kPageTotalOn = -1, kAutoLand = -1, kXlsData = -1, kCounter = -1,
                      kSeparator = -1, kLineHeight = -1, kRow = -1, kWidth = -1, kGenPage = -1, kTotal = -1,
                      kCancel = -1, kXlsNumeric = -1, kForm = -1, kLblPage = -1, kTopRow = -1, kBottomRow = -1,
                      kTopDataRow = -1, kBottomDataRow = -1, kTopTitleRow = -1, kBottomTitleRow = -1,
                      kLeftCol = -1, kRightCol = -1, kPageLine = -1, kFirstRow = -1, kOrientChg = -1,
                      kXlsReport = -1;

    rt::Value SetPreviewModal(rt::Args args);
    int64_t get(int position) const { return field(position).asInteger(); }
    void set(int position, int64_t v) { field(position) = rt::Value(v); }
    void addTo(int position, int64_t v) { set(position, get(position) + v); }
    bool flag(int position) const { return field(position).asLogical(); }

    // Measuring and placing (report_layout.cpp).
    int64_t toPixels(int64_t points, int64_t dpi) const;
    void measureParts(report::ReportDevice& d);
    int64_t tableWidth() const;
    void chooseOrientation(report::ReportDevice& d);
    void placeParts();
    // Pages, lines and rules.
    int64_t ruleGap() const;
    int64_t doubleGap() const;
    void horizontalRule(int64_t y);
    void verticalRules();
    void fillColumns(int64_t top, int64_t bottom, bool titles, bool blank);
    void showPageCount();
    bool pageTotalsDue();
    int64_t heightArg(rt::Args args) const;
    std::shared_ptr<XRptGroup> groupAt(rt::Args args) const;

    // The record loop (report_run.cpp).
    void runRecords();
    void printRecord(int dataLines, int64_t dataHeight);
    void afterRecord();
    void skipFailingRecords();
    void closeGroups();

    report::PageMetrics page_;
    report::ReportDevice* device_ = nullptr;
    // Calls that refuse to run inside themselves (a handler may call them freely).
    bool inStartPage_ = false, inStartLine_ = false, inEndLine_ = false, inStartGroup_ = false,
         inEndGroup_ = false, inSkip_ = false, inPostEnd_ = false;
};

using TReport = UserClass<XReport, "TReport">;

// Registers TReport, TRptColumn, TRptGroup and TRptLine.
void registerReportClasses();

}  // namespace vorpex
