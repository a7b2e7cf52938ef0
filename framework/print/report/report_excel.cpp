// XReport:ToExcel, the report's second output: the same header, titles, records, groups, totals and footer
// written into a new sheet of the spreadsheet program instead of onto pages. Header, title, column-title and
// footer cells are set one by one; the body is collected as TAB and CR LF separated rows and pasted through the
// clipboard in chunks.
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/gdi/message_box.h"
#include "framework/core/native/application_value.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/texts/texts.h"
#include "framework/graphics/clipboard/clipboard.h"
#include "framework/print/report/report.h"
#include "framework/print/report/report_excel.h"
#include "framework/print/report/report_progress.h"
#include "framework/print/report/xls_sheet.h"
#include "framework/print/report/xls_text.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/transform.h"

namespace vorpex {

using rt::Value;

// One export: what it holds (progress window, clipboard, workbook, the data set's saved state, the export flag)
// is given back on every way out, an error breaking out of the spreadsheet's calls too.
class XlsExport {
public:
    explicit XlsExport(XReport& report) : report_(report) {}
    ~XlsExport();
    XlsExport(const XlsExport&) = delete;
    XlsExport& operator=(const XlsExport&) = delete;

    bool run(const std::string& file);

    // The export running for `report`, or null.
    static XlsExport* of(const XReport& report);
    void startGroup(int n);
    void endGroup(int n);

private:
    void writeTop();
    int writeLines(XRptLine* set, int row, bool firstBold);
    void writeColumnTitles();
    void prepareGroups();
    void writeRecords();
    void writeRecord(int dataLines);
    void afterRecord();
    void closeGroups();
    void writeGrandTotal();
    report::XlsBody::Totals totals(const std::function<double(const XRptColumn&)>& amount) const;
    std::string numberText(double amount, const std::string& picture) const;
    void finish(const std::string& file);
    int lastColumn() const { return static_cast<int>(report_.columns().size()) + 1; }

    XReport& report_;
    std::unique_ptr<ReportProgress> progress_;
    std::optional<report::XlsWorkbook> workbook_;
    std::optional<report::XlsSheet> sheet_;
    Value clipboard_;
    report::XlsBody body_;
    char decimalSeparator_ = '.';
    int row_ = 1;
    bool datasetSaved_ = false;
};

namespace {

report::XlsPorts& ports() {
    static report::XlsPorts installed;
    return installed;
}

Value spreadsheet() { return ports().application ? ports().application() : report::runningOrNewSpreadsheet(); }

Value newClipboard(const Value& owner) {
    if (ports().clipboard) return ports().clipboard(owner);
    return rt::send(Value(TClipboard::classRecord().instantiate()), "Create", {owner});
}

std::unordered_map<const XReport*, XlsExport*>& runningExports() {
    static std::unordered_map<const XReport*, XlsExport*> running;
    return running;
}

char decimalSeparator() {
    const Value separator = sendIfUnderstood(rt::publicVar("Application"), "DecimalSeparator");
    return separator.isString() && !separator.asString().empty() ? separator.asString()[0] : '.';
}

Value groupNumber(size_t k) { return Value(static_cast<int64_t>(k)); }

// XlsGetData: data line `line` of the column for the current record, its number added to the totals, as the
// spreadsheet takes it (XLSSTR) or with its picture.
std::string xlsCell(XRptColumn& column, int line, bool numeric, char separator) {
    if (line < 1 || line > column.dataLines()) return "";
    if (line == 1) column.resetValue();
    const Value x = column.dataValue(line);
    if (column.lTotal() && x.isNumber()) column.addToTotals(line, x);
    if (numeric && x.isNumber()) return report::xlsNumber(x.asDouble(), column.picture(line), separator);
    return column.dataText(line, x);
}

}  // namespace

XlsExport* XlsExport::of(const XReport& report) {
    const auto it = runningExports().find(&report);
    return it == runningExports().end() ? nullptr : it->second;
}

XlsExport::~XlsExport() {
    runningExports().erase(&report_);
    try {
        workbook_.reset();
        sheet_.reset();
        if (clipboard_.isObject()) rt::send(std::exchange(clipboard_, Value()), "End");
        if (progress_) progress_->close();
        if (datasetSaved_) report_.restoreDataset();
    } catch (const rt::Break&) {
        // Giving back never adds a failure to the one that may be unwinding.
    }
    progress_.reset();
    report_.setXlsReport(false);
}

bool XlsExport::run(const std::string& file) {
    runningExports()[&report_] = this;
    if (report_.oDataset().isObject()) {
        report_.saveDataset();
        datasetSaved_ = true;
    }
    if (!report_.oParent()) {
        const Value& application = rt::publicVar("Application");
        if (application.isObject()) report_.setParent(rt::send(application, "oActiveForm").asObject());
    }
    const Value parent = report_.oParent() ? Value(report_.oParent()) : Value();
    progress_ = std::make_unique<ReportProgress>(report_, ReportProgress::Kind::Export);

    report::XlsOpening opened = report::openWorkbook(spreadsheet);
    if (!opened.workbook) {
        messageBox(Value(opened.error), Value(), mb::IconStop);
        return false;
    }
    workbook_ = std::move(opened.workbook);
    clipboard_ = newClipboard(parent);
    sheet_.emplace(workbook_->sheet, clipboard_);
    report_.setXlsReport(true);
    decimalSeparator_ = decimalSeparator();

    if (!report_.groups().empty()) report_.skipFailingRecords();
    writeTop();
    prepareGroups();
    writeRecords();
    closeGroups();
    fireEvent(report_, XReport::OnEnd);
    writeGrandTotal();
    row_ = sheet_->paste(row_, body_);
    finish(file);
    return true;
}

void XlsExport::writeTop() {
    sheet_->narrowColumnA();
    row_ = writeLines(report_.header().get(), row_, false);
    row_ = writeLines(report_.title().get(), row_, true);
    sheet_->mergeRows(row_, lastColumn());
    ++row_;
    writeColumnTitles();
}

int XlsExport::writeLines(XRptLine* set, int row, bool firstBold) {
    if (!set) return row;
    for (int i = 1; i <= set->lineCount(); ++i, ++row)
        sheet_->line(row, set->lineText(i), set->lineAlignment(i), firstBold && i == 1);
    return row;
}

void XlsExport::writeColumnTitles() {
    const int titleRow = row_;
    int lastTitleRow = titleRow;
    const auto columns = report_.columns();
    for (size_t k = 1; k <= columns.size(); ++k) {
        XRptColumn& column = *columns[k - 1];
        const int sheetColumn = static_cast<int>(k) + 1;
        for (int i = 1; i <= column.titleLines(); ++i) {
            const int row = titleRow + i - 1;
            sheet_->cell(row, sheetColumn, column.titleText(i), column.nAlignment());
            lastTitleRow = std::max(lastTitleRow, row);
            if (report_.lXlsNumeric() && column.nAlignment() == 2)
                sheet_->numericColumn(sheetColumn, column.picture(1));
        }
    }
    sheet_->titleBand(titleRow, lastTitleRow, lastColumn());
    row_ = lastTitleRow + 2;
    body_.take();
}

void XlsExport::prepareGroups() {
    const auto columns = report_.columns();
    bool anyTotal = false;
    for (size_t k = 1; k <= columns.size(); ++k) {
        rt::send(Value(columns[k - 1]), "_nOrder", {groupNumber(k)});
        rt::send(Value(columns[k - 1]), "_nTotal", {0});  // a second export of the report starts from 0 too
        anyTotal = anyTotal || columns[k - 1]->lTotal();
    }
    rt::send(report_.selfValue(), "_lTotal", {anyTotal});
    const auto groups = report_.groups();
    for (size_t k = 1; k <= groups.size(); ++k) {
        const Value group(groups[k - 1]);
        rt::send(group, "_lHeader", {!groups[k - 1]->headerText().empty()});
        rt::send(group, "_lFooter", {!groups[k - 1]->footerText().empty()});
        rt::send(group, "_nOrder", {groupNumber(k)});
        groups[k - 1]->Reset({});
        startGroup(static_cast<int>(k));
    }
}

void XlsExport::writeRecords() {
    const int dataLines = report_.MaxDataLines({}).asInt();
    while (!report_.lCancel() && report_.whileHolds()) {
        processPendingMessages();
        if (!report_.forHolds()) {
            report_.skip(1);
            continue;
        }
        writeRecord(dataLines);
        afterRecord();
        if (body_.full()) row_ = sheet_->paste(row_, body_);
    }
}

void XlsExport::writeRecord(int dataLines) {
    for (const auto& group : report_.groups()) group->Evaluate({});
    fireEvent(report_, XReport::OnPreChange);
    const auto columns = report_.columns();
    for (int i = 1; i <= dataLines; ++i) {
        std::vector<std::string> cells;
        for (const auto& column : columns)
            cells.push_back(xlsCell(*column, i, report_.lXlsNumeric(), decimalSeparator_));
        if (!report_.lSummary()) body_.dataRow(cells);
    }
    fireEvent(report_, XReport::OnChange);
    report_.skip(1);
    fireEvent(report_, XReport::OnChanged);
    report_.countRecord();
}

void XlsExport::afterRecord() {
    const auto groups = report_.groups();
    if (groups.empty()) return;
    report_.skipFailingRecords();
    for (size_t k = groups.size(); k >= 1; --k)
        if (groups[k - 1]->Check({}).asLogical()) endGroup(static_cast<int>(k));
    for (size_t k = 1; k <= groups.size(); ++k)
        if (groups[k - 1]->lNeedStart()) startGroup(static_cast<int>(k));
}

void XlsExport::closeGroups() {
    const auto groups = report_.groups();
    for (size_t k = groups.size(); k >= 1; --k)
        if (groups[k - 1]->Check({}).asLogical() || groups[k - 1]->nCounter() != 0) endGroup(static_cast<int>(k));
}

void XlsExport::startGroup(int n) {
    const auto groups = report_.groups();
    if (n < 1 || n > static_cast<int>(groups.size())) return;
    const std::shared_ptr<XRptGroup>& group = groups[static_cast<size_t>(n - 1)];
    group->setNeedStart(false);
    if (report_.finished()) return;
    fireEvent(report_, XReport::OnStartGroup, {Value(group)});
    if (group->lHeader()) body_.groupHeader(group->headerText());
}

void XlsExport::endGroup(int n) {
    const auto groups = report_.groups();
    if (n < 1 || n > static_cast<int>(groups.size())) return;
    const std::shared_ptr<XRptGroup>& group = groups[static_cast<size_t>(n - 1)];
    fireEvent(report_, XReport::OnEndGroup, {Value(group)});
    const std::string label = group->lFooter() ? group->footerText() : std::string();
    body_.groupTotals(label, totals([&group](const XRptColumn& c) { return group->total(c.nOrder()).asDouble(); }));
    fireEvent(report_, XReport::OnPostGroup, {Value(group)});
    group->Reset({});
    group->setNeedStart(true);
}

void XlsExport::writeGrandTotal() {
    if (!report_.lTotal()) return;
    body_.grandTotals(report_.cGrandTotal(), totals([](const XRptColumn& c) { return c.nTotal(); }));
}

report::XlsBody::Totals XlsExport::totals(const std::function<double(const XRptColumn&)>& amount) const {
    report::XlsBody::Totals list;
    for (const auto& column : report_.columns()) {
        if (column->lTotal())
            list.emplace_back(numberText(amount(*column), column->cTotalPict()));
        else
            list.emplace_back(std::nullopt);
    }
    return list;
}

std::string XlsExport::numberText(double amount, const std::string& picture) const {
    if (report_.lXlsNumeric()) return report::xlsNumber(amount, picture, decimalSeparator_);
    return rt::transform(Value(amount), picture);
}

void XlsExport::finish(const std::string& file) {
    const auto footer = report_.footer();
    row_ = writeLines(footer.get(), row_, false);
    fireEvent(report_, XReport::OnPostEnd);
    sheet_->emptyClipboard();
    if (datasetSaved_) {
        datasetSaved_ = false;
        report_.restoreDataset();
    }
    sheet_->autoFit(lastColumn());
    report::finishWorkbook(*workbook_, file);
    sheet_.reset();
    workbook_.reset();
    rt::send(std::exchange(clipboard_, Value()), "End");
    progress_->close();
    processPendingMessages();
}

namespace report {

XlsPorts setXlsPorts(XlsPorts given) { return std::exchange(ports(), std::move(given)); }

}  // namespace report

Value XReport::ToExcel(rt::Args args) {
    const Value& file = rt::arg(args, 0);
    const Value& numeric = rt::arg(args, 1);
    setXlsNumeric(numeric.isLogical() ? numeric.asLogical() : true);
    if (columns().empty()) {
        End({});
        return Value(false);
    }
    XlsExport run(*this);
    return Value(run.run(file.isString() ? file.asString() : std::string()));
}

Value XReport::XlsStartGroup(rt::Args args) {
    if (XlsExport* run = XlsExport::of(*this)) run->startGroup(rt::arg(args, 0).asInt());
    return {};
}

Value XReport::XlsEndGroup(rt::Args args) {
    if (XlsExport* run = XlsExport::of(*this)) run->endGroup(rt::arg(args, 0).asInt());
    return {};
}

Value XRptColumn::XlsGetData(rt::Args args) {
    const Value& line = rt::arg(args, 0);
    auto r = report();
    return Value(xlsCell(*this, line.isNumber() ? line.asInt() : 1, r && r->lXlsNumeric(), decimalSeparator()));
}

}  // namespace vorpex
