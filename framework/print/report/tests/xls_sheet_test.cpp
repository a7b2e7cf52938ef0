// The export's calls on the spreadsheet, against a fake program that records them.
#include <gtest/gtest.h>

#include "framework/print/report/tests/fake_spreadsheet.h"
#include "framework/print/report/xls_sheet.h"
#include "tests/support/recording_handler.h"

namespace vorpex::report {
namespace {

using rt::testing::RecordingHandler;
using testing::FakeSpreadsheet;
using Calls = std::vector<std::string>;

TEST(XlsSheetRules, AlignmentsAndNumberFormats) {
    EXPECT_EQ(sheetAlignment(2), 4);
    EXPECT_EQ(sheetAlignment(6), 3);
    EXPECT_EQ(sheetAlignment(0), std::nullopt);
    EXPECT_EQ(sheetAlignment(1), std::nullopt);
    const struct {
        const char* picture;
        std::optional<std::string> format;
    } cases[] = {{"999999", std::nullopt},     {"9999.99", "#,##0.00"}, {"@E 999.999", "#,##0.000"},
                 {"9,999.9", "#,##0.0"},       {"999.", "#,##0"},       {"", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(numberFormat(c.picture), c.format) << c.picture;
}

TEST(XlsOpen, AMissingProgramOrWorkbookBecomesTheTextForTheUserAndNeverReachesTheHandler) {
    RecordingHandler handler;
    FakeSpreadsheet xl;
    const XlsOpening opened = openWorkbook([&] { return xl.application(); });
    ASSERT_TRUE(opened.workbook) << opened.error;
    EXPECT_EQ(xl.calls, Calls{"App.Workbooks.Add()"});

    xl.failing = {"Add"};
    const XlsOpening noBook = openWorkbook([&] { return xl.application(); });
    EXPECT_FALSE(noBook.workbook);
    EXPECT_EQ(noBook.error, "ERROR! Excel worksheet not available. [Add method of App.Workbooks failed]");

    xl.failing = {"Worksheets"};
    EXPECT_EQ(openWorkbook([&] { return xl.application(); }).error,
              "ERROR! Excel worksheet not available. [Worksheets method of App failed]");

    // Natively there is no OLE Automation at all: the real lookup fails as a missing program does.
    const XlsOpening none = openWorkbook();
    EXPECT_FALSE(none.workbook);
    EXPECT_EQ(none.error.rfind("ERROR! Excel not available. [", 0), 0u) << none.error;
    EXPECT_EQ(none.error.back(), ']');
    EXPECT_TRUE(handler.seen.empty()) << handler.seen.front().description;
}

TEST(XlsSheet, SetsTheCellsFormatsAndMergesOfAReportTop) {
    FakeSpreadsheet xl;
    XlsSheet sheet(xl.object("Sheet"), xl.clipboardObject());
    sheet.narrowColumnA();
    sheet.line(1, "ACME", 0, false);
    sheet.line(2, "Title", 6, true);
    sheet.mergeRows(3, 8);
    sheet.cell(4, 2, "EMPLEADO", 2);
    sheet.numericColumn(2, "999999");
    sheet.numericColumn(3, "9999.99");
    sheet.titleBand(4, 4, 8);
    sheet.autoFit(8);
    sheet.autoFit(27);  // past Z
    EXPECT_EQ(xl.calls, (Calls{
                            "Sheet.Columns(\"A\").ColumnWidth := 0.5",
                            "Sheet.Columns(\"A\").Font.Bold := .T.",
                            "Sheet.Cells(1, 2).Value := \"ACME\"",
                            "Sheet.Cells(2, 2).Value := \"Title\"",
                            "Sheet.Cells(2, 2).HorizontalAlignment := 3",
                            "Sheet.Cells(2, 2).Font.Bold := .T.",
                            "Sheet.Range(\"B1:H3\").Merge(.T.)",
                            "Sheet.Cells(4, 2).Value := \"EMPLEADO\"",
                            "Sheet.Cells(4, 2).HorizontalAlignment := 4",
                            "Sheet.Columns(\"B\").HorizontalAlignment := 4",
                            "Sheet.Columns(\"C\").HorizontalAlignment := 4",
                            "Sheet.Columns(\"C\").NumberFormat := \"#,##0.00\"",
                            "Sheet.Range(\"B4:H4\").Font.Bold := .T.",
                            "Sheet.Range(\"B4:H4\").Font.Size := 8",
                            "Sheet.Range(\"B4:H4\").Interior.Color := 12632256",
                            "Sheet.Columns(\"B:H\").AutoFit()",
                            "Sheet.Columns(\"B:AA\").AutoFit()",
                        }));
}

TEST(XlsSheet, PastesEachChunkAtTheRowAfterThePreviousAndNeverAnEmptyOne) {
    FakeSpreadsheet xl;
    XlsSheet sheet(xl.object("Sheet"), xl.clipboardObject());
    XlsBody body;
    EXPECT_EQ(sheet.paste(6, body), 6) << "an empty body pastes nothing";
    body.dataRow({"Ana", "1"});
    body.dataRow({"Luis", "2"});
    int row = sheet.paste(6, body);
    EXPECT_EQ(row, 8);
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(sheet.paste(row, body), 8) << "a chunk just flushed leaves nothing to paste";
    body.grandTotals("Total", {std::nullopt, "3"});
    row = sheet.paste(row, body);
    EXPECT_EQ(row, 12);
    sheet.emptyClipboard();
    EXPECT_EQ(xl.calls, (Calls{
                            "Clipboard.Empty()",
                            "Clipboard.SetText(2 rows)",
                            "Sheet.Paste(Sheet.Range(\"A6\")) <- 2 rows",
                            "Clipboard.Empty()",
                            "Clipboard.SetText(4 rows)",
                            "Sheet.Paste(Sheet.Range(\"A8\")) <- 4 rows",
                            "Clipboard.Empty()",
                        }));
    EXPECT_TRUE(xl.clipboard.empty());
}

TEST(XlsSheet, AClipboardThatRefusesTheRowsIsAnErrorAndNothingStaleIsPasted) {
    RecordingHandler handler(rt::ErrorAction::Default);
    FakeSpreadsheet xl;
    XlsSheet sheet(xl.object("Sheet"), xl.clipboardObject());
    xl.clipboard = "an earlier chunk\r\n";
    xl.clipboardRefuses = true;
    XlsBody body;
    body.dataRow({"Ana"});
    sheet.paste(6, body);
    ASSERT_EQ(handler.seen.size(), 1u);
    EXPECT_EQ(handler.seen[0].description, "The clipboard did not take the report's rows");
    EXPECT_TRUE(xl.callsWith("Paste").empty());
}

TEST(XlsSheet, FinishesWithTheFileSavedAndClosedOrTheProgramShown) {
    FakeSpreadsheet xl;
    const XlsWorkbook w{xl.application(), xl.object("Book"), xl.object("Sheet")};
    finishWorkbook(w, "C:\\out\\report.xlsx");
    finishWorkbook(w, "");
    EXPECT_EQ(xl.calls, (Calls{"Book.SaveAs(\"C:\\out\\report.xlsx\")", "Book.Close()", "App.Visible := .T."}));
}

}  // namespace
}  // namespace vorpex::report
