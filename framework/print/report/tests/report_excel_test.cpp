// XReport:ToExcel against a fake spreadsheet program and clipboard that record every call: the calls in order
// for a report like the attendance one, the pasted body with groups, totals and a summary, chunks of a long
// body, no rows at all, and every way out (no columns, no program, no workbook, an error while filling)
// giving back what the export took.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/core/gdi/message_box.h"
#include "framework/print/report/report.h"
#include "framework/print/report/report_excel.h"
#include "framework/print/report/tests/fake_spreadsheet.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/core/send.h"
#include "runtime/lib/library.h"
#include "tests/support/recording_handler.h"

namespace vorpex::report {
namespace {

using rt::Value;
using Calls = std::vector<std::string>;
using testing::FakeSpreadsheet;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), rt::Args(args.data(), args.size()));
}

Value block(std::function<Value(rt::Args)> fn) { return Value(rt::makeBlock(std::move(fn))); }
Value text(std::string t) {
    return block([t](rt::Args) { return Value(t); });
}

struct Row {
    std::string name;
    int64_t amount;
    std::string key;
};

// A data set as the report drives it: Eof, Skip, and the saved state it must always give back.
struct FakeDataSet {
    std::vector<std::string> calls;
    size_t pos = 0, rows = 0;
};

class ReportExcelTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::registerLibraryFunctions();
        registerReportClasses();
        previous = setXlsPorts({[this] { return xl.application(); }, [this](const Value&) { return xl.clipboardObject(); }});
        previousBox = setMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return mb::IdOk;
        });
        report = ask(Value(TReport::classRecord().instantiate()), "Create");
        ask(report, "_bWhile", {block([this](rt::Args) { return Value(pos < rows.size()); })});
        ask(report, "_bSkip", {block([this](rt::Args a) {
                pos += static_cast<size_t>(rt::arg(a, 0).asInteger());
                return Value();
            })});
    }
    void TearDown() override {
        setXlsPorts(previous);
        setMessageBoxHook(previousBox);
    }

    XReport& r() { return *rt::objectAs<XReport>(report); }
    const Row& current() const {
        static const Row none{};
        return pos < rows.size() ? rows[pos] : none;
    }
    Value addColumn(const char* title, std::function<Value(const Row&)> data, int alignment = 0,
                    const char* picture = nullptr, bool total = false) {
        const Value column = ask(report, "AddColumn");
        ask(column, "_aTitle", {Value::array({text(title)})});
        ask(column, "_aData", {Value::array({block([this, data](rt::Args) { return data(current()); })})});
        if (picture) ask(column, "_aPicture", {Value::array({Value(picture)})});
        ask(column, "_nAlignment", {alignment});
        ask(column, "_lTotal", {total});
        ask(column, "Create");
        return column;
    }
    void addStandardColumns() {
        addColumn("Nombre", [](const Row& row) { return Value(row.name); });
        addColumn("Importe", [](const Row& row) { return Value(row.amount); }, 2, "9,999.99", true);
    }
    void setLines() {
        ask(ask(report, "oHeader"), "_aLine", {Value::array({text("ACME")})});
        ask(ask(report, "oTitle"), "_aLine", {Value::array({text("Ventas")})});
        ask(ask(report, "oFooter"), "_aLine", {Value::array({text("Fin")})});
    }
    Value toExcel(std::vector<Value> args = {}) { return ask(report, "ToExcel", std::move(args)); }
    std::string allPasted() const {
        std::string all;
        for (const std::string& p : xl.pasted) all += p;
        return all;
    }

    FakeSpreadsheet xl;
    XlsPorts previous;
    MessageBoxHook previousBox;
    std::vector<std::string> boxes;
    Value report;
    std::vector<Row> rows;
    size_t pos = 0;
};

TEST_F(ReportExcelTest, FillsTheSheetWithTheCallsInOrder) {
    setLines();
    addStandardColumns();
    rows = {{"Ana", 1, ""}, {"Luis\tP", 2, ""}};
    EXPECT_TRUE(toExcel().asLogical());
    EXPECT_EQ(xl.calls, (Calls{
                            "App.Workbooks.Add()",
                            "Sheet.Columns(\"A\").ColumnWidth := 0.5",
                            "Sheet.Columns(\"A\").Font.Bold := .T.",
                            "Sheet.Cells(1, 2).Value := \"ACME\"",
                            "Sheet.Cells(2, 2).Value := \"Ventas\"",
                            "Sheet.Cells(2, 2).HorizontalAlignment := 3",
                            "Sheet.Cells(2, 2).Font.Bold := .T.",
                            "Sheet.Range(\"B1:C3\").Merge(.T.)",
                            "Sheet.Cells(4, 2).Value := \"Nombre\"",
                            "Sheet.Cells(4, 3).Value := \"Importe\"",
                            "Sheet.Cells(4, 3).HorizontalAlignment := 4",
                            "Sheet.Columns(\"C\").HorizontalAlignment := 4",
                            "Sheet.Columns(\"C\").NumberFormat := \"#,##0.00\"",
                            "Sheet.Range(\"B4:C4\").Font.Bold := .T.",
                            "Sheet.Range(\"B4:C4\").Font.Size := 8",
                            "Sheet.Range(\"B4:C4\").Interior.Color := 12632256",
                            "Clipboard.Empty()",
                            "Clipboard.SetText(5 rows)",
                            "Sheet.Paste(Sheet.Range(\"A6\")) <- 5 rows",
                            "Sheet.Cells(11, 2).Value := \"Fin\"",
                            "Clipboard.Empty()",
                            "Sheet.Columns(\"B:C\").AutoFit()",
                            "App.Visible := .T.",
                            "Clipboard.End()",
                        }));
    // A TAB inside a cell becomes a blank; numbers as the spreadsheet reads them; the grand total below.
    EXPECT_EQ(allPasted(), "\tAna\t1.00\r\n\tLuis P\t2.00\r\n\r\n\t\t3.00\r\n\r\n");
    EXPECT_FALSE(r().lXlsReport());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ReportExcelTest, SavesTheWorkbookWhenGivenAFileAndWritesPicturesWithoutXlsNumeric) {
    addStandardColumns();
    rows = {{"Ana", 1234, ""}};
    EXPECT_TRUE(toExcel({Value("C:\\r.xlsx"), Value(false)}).asLogical());
    EXPECT_EQ(xl.callsWith("Book."), (Calls{"Book.SaveAs(\"C:\\r.xlsx\")", "Book.Close()"}));
    EXPECT_TRUE(xl.callsWith("Visible").empty());
    EXPECT_TRUE(xl.callsWith("NumberFormat").empty()) << "pictures are kept: no number formats";
    EXPECT_EQ(allPasted(), "\tAna\t1,234.00\r\n\r\n\t\t1,234.00\r\n\r\n");
}

TEST_F(ReportExcelTest, GroupsGetHeaderAndTotalRowsAndASummaryOnlyTotals) {
    addStandardColumns();
    const Value group = ask(report, "AddGroup");
    ask(group, "_bGroup", {block([this](rt::Args) { return Value(current().key); })});
    ask(group, "_bHeader", {block([this](rt::Args) { return Value("Dept " + current().key); })});
    ask(group, "_bFooter", {text("")});  // no label: the totals row still comes, column A empty
    ask(report, "_cGrandTotal", {"Total"});
    rows = {{"Ana", 1, "1"}, {"Eva", 2, "1"}, {"Luis", 4, "10"}};
    EXPECT_TRUE(toExcel().asLogical());
    EXPECT_EQ(allPasted(),
              "Dept 1\r\n\tAna\t1.00\r\n\tEva\t2.00\r\n\t\t3.00\r\n"
              "Dept 10\r\n\tLuis\t4.00\r\n\t\t4.00\r\n"
              "\r\nTotal\r\n\t\t7.00\r\n\r\n");

    // Exported again, as a summary: the totals start from 0 again.
    xl = {};
    pos = 0;
    ask(report, "_lSummary", {true});
    EXPECT_TRUE(toExcel().asLogical());
    EXPECT_EQ(allPasted(),
              "Dept 1\r\n\t\t3.00\r\nDept 10\r\n\t\t4.00\r\n\r\nTotal\r\n\t\t7.00\r\n\r\n");
}

TEST_F(ReportExcelTest, ALongBodyGoesInChunksEachAtTheRowAfterThePrevious) {
    addColumn("Nombre", [](const Row& row) { return Value(row.name); });
    for (int i = 0; i < 200; ++i) rows.push_back({std::string(997, 'a' + i % 26), 0, ""});  // 1000 per row
    EXPECT_TRUE(toExcel().asLogical());
    EXPECT_EQ(xl.callsWith("Paste"), (Calls{"Sheet.Paste(Sheet.Range(\"A6\")) <- 66 rows",
                                            "Sheet.Paste(Sheet.Range(\"A72\")) <- 66 rows",
                                            "Sheet.Paste(Sheet.Range(\"A138\")) <- 66 rows",
                                            "Sheet.Paste(Sheet.Range(\"A204\")) <- 2 rows"}));
    EXPECT_EQ(allPasted().size(), 200u * 1000);
}

TEST_F(ReportExcelTest, NoRowsExportCleanlyWithoutAnEmptyPaste) {
    setLines();
    addColumn("Nombre", [](const Row& row) { return Value(row.name); });
    EXPECT_TRUE(toExcel().asLogical());
    EXPECT_TRUE(xl.callsWith("Paste").empty());
    EXPECT_EQ(xl.callsWith("Fin"), Calls{"Sheet.Cells(6, 2).Value := \"Fin\""}) << "the footer right under the titles";
    EXPECT_EQ(xl.calls.back(), "Clipboard.End()");
    EXPECT_FALSE(r().lXlsReport());
}

TEST_F(ReportExcelTest, EveryWayOutGivesBackWhatTheExportTook) {
    EXPECT_FALSE(toExcel().asLogical()) << "no columns";
    EXPECT_TRUE(xl.calls.empty());

    const struct {
        const char* failing;
        const char* box;
    } cases[] = {
        {"Add", "ERROR! Excel worksheet not available. [Add method of App.Workbooks failed]"},
        {"Worksheets", "ERROR! Excel worksheet not available. [Worksheets method of App failed]"},
    };
    for (const auto& c : cases) {
        report = ask(Value(TReport::classRecord().instantiate()), "Create");
        addStandardColumns();
        xl = {};
        boxes.clear();
        xl.failing = {c.failing};
        EXPECT_FALSE(toExcel().asLogical()) << c.failing;
        EXPECT_EQ(boxes, std::vector<std::string>{c.box});
        EXPECT_FALSE(r().lXlsReport());
    }

    // No program at all: the real lookup, which the native build does not have.
    setXlsPorts({});
    boxes.clear();
    EXPECT_FALSE(toExcel().asLogical());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("ERROR! Excel not available. [", 0), 0u) << boxes[0];
}

TEST_F(ReportExcelTest, AnErrorWhileFillingStillEndsTheClipboardClearsTheFlagAndRestoresTheDataSet) {
    addColumn("Nombre", [](const Row&) { return Value("x"); });
    ask(report, "_oDataset", {xl.dataSet()});
    xl.dataRows = 3;
    xl.failing = {"Paste"};
    rt::testing::RecordingHandler handler(rt::ErrorAction::Break);
    EXPECT_THROW(toExcel(), rt::Break);
    EXPECT_EQ(handler.seen.size(), 1u);
    EXPECT_FALSE(r().lXlsReport()) << "a later Run must print again";
    EXPECT_EQ(xl.callsWith("DataSet."),
              (Calls{"DataSet.SaveState(.T.)", "DataSet.GoTop()", "DataSet.RestoreState(.T.)"}));
    EXPECT_EQ(xl.callsWith("Clipboard.End"), Calls{"Clipboard.End()"});

    // A workbook refused: the data set comes back too.
    xl = {};
    xl.dataRows = 3;
    xl.failing = {"Add"};
    EXPECT_FALSE(toExcel().asLogical());
    EXPECT_EQ(xl.callsWith("DataSet."),
              (Calls{"DataSet.SaveState(.T.)", "DataSet.GoTop()", "DataSet.RestoreState(.T.)"}));
}

}  // namespace
}  // namespace vorpex::report
