#include "framework/print/report/xls_sheet.h"

#include "framework/data/data_set/error_trap.h"
#include "runtime/core/error.h"
#include "runtime/core/send.h"
#include "runtime/ole/ole.h"

namespace vorpex::report {

using rt::Value;

namespace {

constexpr const char* kProgId = "Excel.Application";
constexpr int64_t kTitleBandColor = 12632256;  // RGB 192, 192, 192
constexpr int64_t kTitleBandSize = 8;

// What a trapped failure says: the error's own text, else the OLE client's last one.
std::string failureText(const data::ErrorTrap& trap) {
    if (trap.caught && !trap.caught->description.empty()) return trap.caught->description;
    return rt::ole::lastErrorText();
}

// Runs `step` with every error answered by a break; false when it broke.
template <class Step>
bool quietly(Step step) {
    try {
        step();
        return true;
    } catch (const rt::Break&) {
        return false;
    }
}

std::string area(int firstRow, int lastRow, int lastColumn) {
    return "B" + std::to_string(firstRow) + ":" + sheetColumn(lastColumn) + std::to_string(lastRow);
}

// A chunk that did not reach the clipboard must not be replaced by whatever the clipboard held before.
void raiseClipboardRefused(size_t length) {
    rt::Error e;
    e.genCode = rt::eg::Write;
    e.subSystem = "VORPEX";
    e.description = "The clipboard did not take the report's rows";
    e.operation = "SetText";
    e.args = Value::array({Value(static_cast<int64_t>(length))});
    e.canDefault = true;  // then the chunk is not pasted
    rt::raise(e);
}

}  // namespace

std::optional<int> sheetAlignment(int reportAlignment) {
    if (reportAlignment == 2) return 4;
    if (reportAlignment == 6) return 3;
    return std::nullopt;
}

std::optional<std::string> numberFormat(std::string_view picture) {
    const size_t point = picture.find('.');
    if (point == std::string_view::npos) return std::nullopt;
    const size_t decimals = picture.size() - point - 1;
    return decimals == 0 ? std::string("#,##0") : "#,##0." + std::string(decimals, '0');
}

Value runningOrNewSpreadsheet() {
    Value running;
    {
        data::ErrorTrap none(rt::ErrorAction::Break);  // not running is no failure yet
        quietly([&] { running = rt::ole::getActiveObject(kProgId); });
    }
    return running.isObject() ? running : rt::ole::createObject(kProgId);
}

XlsOpening openWorkbook(const std::function<Value()>& application) {
    data::ErrorTrap trap(rt::ErrorAction::Break);
    XlsWorkbook w;
    quietly([&] { w.application = application(); });
    if (!w.application.isObject()) return {std::nullopt, "ERROR! Excel not available. [" + failureText(trap) + "]"};
    trap.caught.reset();
    quietly([&] {
        w.book = rt::send(rt::send(w.application, "Workbooks"), "Add");
        w.sheet = rt::send(w.application, "Worksheets", {1});
    });
    if (!w.book.isObject() || !w.sheet.isObject())
        return {std::nullopt, "ERROR! Excel worksheet not available. [" + failureText(trap) + "]"};
    return {std::move(w), {}};
}

XlsSheet::XlsSheet(Value sheet, Value clipboard) : sheet_(std::move(sheet)), clipboard_(std::move(clipboard)) {}

Value XlsSheet::range(const std::string& name) const { return rt::send(sheet_, "Range", {Value(name)}); }

Value XlsSheet::cellAt(int row, int column) const { return rt::send(sheet_, "Cells", {row, column}); }

void XlsSheet::narrowColumnA() {
    rt::send(rt::send(sheet_, "Columns", {"A"}), "_ColumnWidth", {0.5});
    rt::send(rt::send(rt::send(sheet_, "Columns", {"A"}), "Font"), "_Bold", {true});
}

void XlsSheet::line(int row, const std::string& text, int alignment, bool bold) {
    cell(row, 2, text, alignment);
    if (bold) rt::send(rt::send(cellAt(row, 2), "Font"), "_Bold", {true});
}

void XlsSheet::cell(int row, int column, const std::string& text, int alignment) {
    rt::send(cellAt(row, column), "_Value", {Value(text)});
    if (const auto sheetAlign = sheetAlignment(alignment))
        rt::send(cellAt(row, column), "_HorizontalAlignment", {*sheetAlign});
}

void XlsSheet::mergeRows(int lastRow, int lastColumn) {
    rt::send(range(area(1, lastRow, lastColumn)), "Merge", {true});
}

void XlsSheet::numericColumn(int column, std::string_view picture) {
    const Value columns = rt::send(sheet_, "Columns", {Value(sheetColumn(column))});
    rt::send(columns, "_HorizontalAlignment", {4});
    if (const auto format = numberFormat(picture)) rt::send(columns, "_NumberFormat", {Value(*format)});
}

void XlsSheet::titleBand(int firstRow, int lastRow, int lastColumn) {
    const Value band = range(area(firstRow, lastRow, lastColumn));
    rt::send(rt::send(band, "Font"), "_Bold", {true});
    rt::send(rt::send(band, "Font"), "_Size", {kTitleBandSize});
    rt::send(rt::send(band, "Interior"), "_Color", {kTitleBandColor});
}

int XlsSheet::paste(int row, XlsBody& body) {
    if (body.empty()) return row;
    const std::string chunk = body.take();
    emptyClipboard();
    if (!rt::send(clipboard_, "SetText", {Value(chunk)}).asLogical()) {
        raiseClipboardRefused(chunk.size());
        return row;
    }
    rt::send(sheet_, "Paste", {range("A" + std::to_string(row))});
    return row + bodyRows(chunk);
}

void XlsSheet::emptyClipboard() { rt::send(clipboard_, "Empty"); }

void XlsSheet::autoFit(int lastColumn) {
    rt::send(rt::send(sheet_, "Columns", {Value("B:" + sheetColumn(lastColumn))}), "AutoFit");
}

void finishWorkbook(const XlsWorkbook& workbook, const std::string& file) {
    if (file.empty()) {
        rt::send(workbook.application, "_Visible", {true});
        return;
    }
    rt::send(workbook.book, "SaveAs", {Value(file)});
    rt::send(workbook.book, "Close");
}

}  // namespace vorpex::report
