// The spreadsheet export's texts.
#include <gtest/gtest.h>

#include "framework/print/report/xls_text.h"

namespace vorpex::report {
namespace {

TEST(XlsNumber, TakesTheDecimalsFromThePictureAndNeverCutsTheIntegerPart) {
    const struct {
        double value;
        const char* picture;
        char separator;
        const char* text;
    } cases[] = {
        {1234.5, "9999.99", ',', "1234,50"},
        {1234.5, "9999.99", '.', "1234.50"},
        {123456, "99", '.', "123456"},
        {-0.5, "@E 999.9", ',', "-0,5"},
        {2.675, "99.99", '.', "2.68"},       // half away from zero, as Str rounds
        {1234567.891, "9,999,999.99", '.', "1234567.89"},  // no thousands separators
        {7, "", '.', "7"},
        {0, "999.999", ',', "0,000"},
    };
    for (const auto& c : cases) EXPECT_EQ(xlsNumber(c.value, c.picture, c.separator), c.text) << c.picture;
}

TEST(SheetColumn, GoesOnPastZ) {
    const struct {
        int column;
        const char* letters;
    } cases[] = {{1, "A"}, {2, "B"}, {26, "Z"}, {27, "AA"}, {28, "AB"}, {52, "AZ"}, {53, "BA"}, {703, "AAA"}};
    for (const auto& c : cases) EXPECT_EQ(sheetColumn(c.column), c.letters) << c.column;
}

TEST(CellText, TurnsSeparatorsIntoBlanksSoRowsStayWhole) {
    EXPECT_EQ(cellText("a\tb\r\nc\nd"), "a b  c d");
    EXPECT_EQ(cellText("Año"), "Año");
    EXPECT_EQ(bodyRows("\ta\tb\r\n\r\nTotal\t1\r\n"), 3);
    EXPECT_EQ(bodyRows(""), 0);
    EXPECT_EQ(bodyRows("no end"), 0);
}

TEST(XlsBody, LaysOutDataGroupAndGrandTotalRows) {
    XlsBody body;
    body.groupHeader("Dept\t1");
    body.dataRow({"Ana", "1,5"});
    body.dataRow({"Luis\r\nPérez", ""});
    body.groupTotals("", {std::nullopt, "1,5"});  // a footer block that gives "" still gets its totals row
    body.groupTotals("Total dept", {std::nullopt, "1,5"});
    body.grandTotals("Total", {std::nullopt, "1,5"});
    body.grandTotals("", {"3"});
    EXPECT_EQ(body.text(),
              "Dept 1\r\n"
              "\tAna\t1,5\r\n"
              "\tLuis  Pérez\t\r\n"
              "\t\t1,5\r\n"
              "Total dept\t\t1,5\r\n"
              "\r\nTotal\r\n\t\t1,5\r\n\r\n"
              "\r\n\t3\r\n\r\n");
    EXPECT_EQ(bodyRows(body.text()), 12);
}

TEST(XlsBody, IsFullPastTheChunkSizeAndEmptyOnceTaken) {
    XlsBody body;
    EXPECT_TRUE(body.empty());
    const std::string cell(999, 'x');
    while (body.text().size() <= kPasteChunk) {
        EXPECT_FALSE(body.full());
        body.dataRow({cell});
    }
    EXPECT_TRUE(body.full());
    const std::string chunk = body.take();
    EXPECT_EQ(bodyRows(chunk), 65);  // 65 rows of 1002 characters pass 65000
    EXPECT_TRUE(body.empty());
    EXPECT_FALSE(body.full());
}

}  // namespace
}  // namespace vorpex::report
