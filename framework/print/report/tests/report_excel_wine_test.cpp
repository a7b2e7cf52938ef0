// The report export under Wine against the spreadsheet stand-in registered as "Excel.Application": reaching it
// (or the user's text when it is missing or refuses a workbook), the body pasted through the real clipboard in
// chunks, and ToExcel whole: the calls in order, no rows, the
// program missing or refusing a workbook. ToExcelForAnIndependentReader saves a workbook where VORPEX_XL_OUT
// names, for report_excel_xlsx_test.py to read back with python3-openpyxl.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/core/app/application.h"
#include "framework/core/control/control_registry.h"
#include "framework/core/form/form.h"
#include "framework/core/form/form_registry.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/native/native_functions.h"
#include "framework/core/texts/texts.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "framework/graphics/clipboard/clipboard.h"
#include "framework/graphics/graphics.h"
#include "framework/print/report/report.h"
#include "framework/print/report/xls_sheet.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/lib/library.h"
#include "runtime/core/send.h"
#include "tests/support/recording_handler.h"
#include "tests/support/xl_standin.h"

namespace vorpex::report {
namespace {

using rt::Value;
using testing::XlSettings;

const auto* const registration = ::testing::AddGlobalTestEnvironment(new testing::XlStandInRegistration);

HWND windowOf(const Value& o) { return reinterpret_cast<HWND>(rt::send(o, "Handle").asInteger()); }

class ReportExcel : public ::testing::Test {
protected:
    void SetUp() override {
        rt::resetForTests();
        registerNativeFunctions();
        registerGraphics();
        registerControls();
        registerForms();
        registerStandardControls();
        initializeApplication();
        rt::registerLibraryFunctions();
        registerReportClasses();
        texts::SETLANGUAGE(9);
        setMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return mb::IdOk;
        });
    }
    void TearDown() override {
        setMessageBoxHook(nullptr);
        const Value app = rt::publicVar("Application");
        if (app.isObject()) rt::send(app, "End");
        windowLinks().freeReleased();
    }

    static Value newClipboard() { return rt::send(Value(TClipboard::classRecord().instantiate()), "Create"); }
    static std::string cell(const Value& sheet, int row, int column) {
        const Value v = rt::send(rt::send(sheet, "Cells", {row, column}), "Value");
        return v.isString() ? v.asString() : std::string();
    }

    XlSettings xl;
    std::vector<std::string> boxes;
};

TEST_F(ReportExcel, OpensTheSpreadsheetOrTellsWhyNot) {
    const long before = testing::xlLiveObjects();
    const struct {
        const char* failSwitch;
        const char* error;
    } cases[] = {
        {nullptr, ""},
        {"VORPEX_XL_FAIL_CREATE", "ERROR! Excel not available. [CO_E_SERVER_EXEC_FAILURE]"},
        {"VORPEX_XL_FAIL_ADD", "ERROR! Excel worksheet not available. [Add method of Workbooks class failed]"},
    };
    rt::testing::RecordingHandler handler;
    for (const auto& c : cases) {
        XlSettings settings;
        if (c.failSwitch) settings.failing(c.failSwitch);
        XlsOpening opened = openWorkbook();
        EXPECT_EQ(opened.error, c.error);
        EXPECT_EQ(opened.workbook.has_value(), !c.failSwitch);
    }
    EXPECT_TRUE(handler.seen.empty()) << "a missing spreadsheet is the user's message, not an error";
    EXPECT_EQ(testing::xlLiveObjects(), before) << "every reference is let go";
}

TEST_F(ReportExcel, PastesEachChunkThroughTheClipboardAtTheRowAfterThePrevious) {
    XlsOpening opened = openWorkbook();
    ASSERT_TRUE(opened.workbook) << opened.error;
    const Value clipboard = newClipboard();
    XlsSheet sheet(opened.workbook->sheet, clipboard);
    XlsBody body;
    const std::string name(990, 'x');
    int row = 6, rows = 0;
    for (; !body.full(); ++rows) body.dataRow({"\xD1" "a\tme " + std::to_string(rows), name});
    row = sheet.paste(row, body);
    EXPECT_EQ(row, 6 + rows);
    body.dataRow({"last"});
    body.grandTotals("Total", {std::nullopt, "5"});
    row = sheet.paste(row, body);
    EXPECT_EQ(row, 6 + rows + 5);
    EXPECT_EQ(sheet.paste(row, body), row) << "nothing left, nothing pasted";
    sheet.emptyClipboard();
    rt::send(clipboard, "End");

    const Value& s = opened.workbook->sheet;
    EXPECT_EQ(cell(s, 6, 2), "\xD1" "a me 0") << "a TAB inside a cell never shifts the cells after it";
    EXPECT_EQ(cell(s, 6 + rows - 1, 3), name);
    EXPECT_EQ(cell(s, 6 + rows, 2), "last");
    EXPECT_EQ(cell(s, 6 + rows + 2, 1), "Total");
    EXPECT_EQ(cell(s, 6 + rows + 3, 3), "5");
    const std::string journal = xl.journal();
    const size_t first = journal.find("Paste(Range#");
    ASSERT_NE(first, std::string::npos) << journal;
    EXPECT_NE(journal.find(std::to_string(rows) + " lines", first), std::string::npos) << journal;
    EXPECT_NE(journal.find("Paste(Range#", first + 1), std::string::npos) << journal;
    EXPECT_EQ(journal.find("FAILED"), std::string::npos) << journal;
}

// ---- ToExcel whole

struct Sale {
    std::string name;
    int64_t amount;
    std::string department;
};

Value block(std::function<Value(rt::Args)> fn) { return Value(rt::makeBlock(std::move(fn))); }
Value text(std::string t) {
    return block([t](rt::Args) { return Value(t); });
}

class ToExcel : public ReportExcel {
protected:
    void SetUp() override {
        ReportExcel::SetUp();
        parent = rt::send(Value(TForm::classRecord().instantiate()), "New");
        rt::send(parent, "Create");
        report = rt::send(Value(TReport::classRecord().instantiate()), "New", {parent});
        rt::send(report, "Create");
        rt::send(report, "_bWhile", {block([this](rt::Args) { return Value(pos < sales.size()); })});
        rt::send(report, "_bSkip", {block([this](rt::Args a) {
                     pos += static_cast<size_t>(rt::arg(a, 0).asInteger());
                     return Value();
                 })});
        rt::send(rt::send(report, "oHeader"), "_aLine", {Value::array({text("ACME")})});
        rt::send(rt::send(report, "oTitle"), "_aLine", {Value::array({text("Ventas por departamento \xF1")})});
        rt::send(rt::send(report, "oFooter"), "_aLine", {Value::array({text("Fin del reporte")})});
        column("Nombre", 0, nullptr, false, [](const Sale& s) { return Value(s.name); });
        column("Importe", 2, "9,999.99", true, [](const Sale& s) { return Value(s.amount); });
    }
    void TearDown() override {
        if (parent.isObject()) rt::send(parent, "End");
        ReportExcel::TearDown();
    }
    void column(const char* title, int alignment, const char* picture, bool total,
                std::function<Value(const Sale&)> data) {
        const Value c = rt::send(report, "AddColumn");
        rt::send(c, "_aTitle", {Value::array({text(title)})});
        rt::send(c, "_aData", {Value::array({block([this, data](rt::Args) { return data(current()); })})});
        if (picture) rt::send(c, "_aPicture", {Value::array({Value(picture)})});
        rt::send(c, "_nAlignment", {alignment});
        rt::send(c, "_lTotal", {total});
        rt::send(c, "Create");
    }
    void groupByDepartment() {
        const Value g = rt::send(report, "AddGroup");
        rt::send(g, "_bGroup", {block([this](rt::Args) { return Value(current().department); })});
        rt::send(g, "_bHeader", {block([this](rt::Args) { return Value("Departamento " + current().department); })});
        rt::send(g, "_bFooter", {text("Subtotal")});
        rt::send(report, "_cGrandTotal", {"Total general"});
    }
    const Sale& current() const {
        static const Sale none{};
        return pos < sales.size() ? sales[pos] : none;
    }
    bool toExcel(const std::string& file = "") {
        return rt::send(report, "ToExcel", {file.empty() ? Value() : Value(file)}).asLogical();
    }
    // The members the journal shows called, in order (each line's "PUT Name(" or "GET Name(" or "CALL Name(").
    std::vector<std::string> members() const {
        std::vector<std::string> found;
        std::istringstream lines(xl.journal());
        for (std::string line; std::getline(lines, line);) {
            const size_t kind = line.find(' ');
            const size_t open = line.find('(', kind);
            if (kind == std::string::npos || open == std::string::npos) continue;
            const size_t name = line.find(' ', kind + 1);
            if (name != std::string::npos && name < open) found.push_back(line.substr(name + 1, open - name - 1));
        }
        return found;
    }

    Value parent, report;
    std::vector<Sale> sales;
    size_t pos = 0;
};

TEST_F(ToExcel, FillsTheSheetInTheOrderTheExportCallsAndGivesEverythingBack) {
    const long before = testing::xlLiveObjects();
    sales = {{"Ana", 1, "1"}, {"Eva", 2, "1"}, {"Luis", 4, "10"}};
    const std::string shown = xl.file("shown.xlsx");
    xl.showInto(shown);
    EXPECT_TRUE(toExcel());
    const std::vector<std::string> expected = {
        "Workbooks", "Add", "Worksheets", "Columns", "ColumnWidth", "Columns", "Font", "Bold",  // column A
        "Cells", "Value", "Cells", "Value", "Cells", "HorizontalAlignment", "Cells", "Font", "Bold",  // lines
        "Range", "Merge",                                                                             // merge
        "Cells", "Value", "Cells", "Value", "Cells", "HorizontalAlignment", "Columns", "HorizontalAlignment",
        "NumberFormat",                                                             // column titles
        "Range", "Font", "Bold", "Font", "Size", "Interior", "Color",               // title band
        "Range", "Paste",                                                           // the body
        "Cells", "Value",                                                           // footer
        "Columns", "AutoFit", "Visible"};
    EXPECT_EQ(members(), expected) << xl.journal();
    EXPECT_EQ(xl.journal().find("FAILED"), std::string::npos) << xl.journal();
    EXPECT_TRUE(IsWindowEnabled(windowOf(parent)));
    EXPECT_FALSE(rt::send(report, "lXlsReport").asLogical());
    EXPECT_TRUE(std::ifstream(shown).good()) << "made visible, the stand-in shows the workbook";
    report = Value();
    EXPECT_EQ(testing::xlLiveObjects(), before) << "every reference is let go";
}

TEST_F(ToExcel, NoRowsExportTheTopAndTheFooterWithoutAPaste) {
    rt::send(Value(rt::objectAs<XReport>(report)->columns()[1]), "_lTotal", {false});  // no grand total either
    EXPECT_TRUE(toExcel());
    EXPECT_EQ(xl.journal().find("Paste"), std::string::npos) << xl.journal();
    EXPECT_EQ(xl.journal().find("FAILED"), std::string::npos) << xl.journal();
    EXPECT_NE(xl.journal().find("Cells(6, 2)"), std::string::npos) << "the footer under the titles\n" << xl.journal();
}

TEST_F(ToExcel, AMissingProgramOrWorkbookIsToldAndTheParentComesBack) {
    sales = {{"Ana", 1, "1"}};
    const struct {
        const char* failSwitch;
        const char* box;
    } cases[] = {
        {"VORPEX_XL_FAIL_CREATE", "ERROR! Excel not available. [CO_E_SERVER_EXEC_FAILURE]"},
        {"VORPEX_XL_FAIL_ADD", "ERROR! Excel worksheet not available. [Add method of Workbooks class failed]"},
    };
    for (const auto& c : cases) {
        XlSettings settings;
        settings.failing(c.failSwitch);
        boxes.clear();
        pos = 0;
        EXPECT_FALSE(toExcel());
        EXPECT_EQ(boxes, std::vector<std::string>{c.box});
        EXPECT_TRUE(IsWindowEnabled(windowOf(parent))) << c.failSwitch;
        EXPECT_FALSE(rt::send(report, "lXlsReport").asLogical());
    }
}

// Saves a grouped report where VORPEX_XL_OUT names, for report_excel_xlsx_test.py; skipped without it.
TEST_F(ToExcel, ToExcelForAnIndependentReader) {
    char out[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("VORPEX_XL_OUT", out, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) GTEST_SKIP() << "VORPEX_XL_OUT names no file";
    groupByDepartment();
    sales = {{"Ana", 1, "1"}, {"Eva\tMar\xED" "a", 2, "1"}, {"Luis", 4, "10"}};
    EXPECT_TRUE(toExcel(std::string(out, n)));
}

}  // namespace
}  // namespace vorpex::report
