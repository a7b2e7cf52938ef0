// The stand-in's workbook model, its zip writer and its .xlsx package.
#include <gtest/gtest.h>

#include "sheet.h"
#include "xlsx.h"
#include "zip.h"

namespace xl {
namespace {

TEST(XlAreas, ParsesCellsRangesAndWholeColumns) {
    const struct {
        const char* text;
        std::optional<Area> area;
    } cases[] = {
        {"A1", Area{1, 1, 1, 1}},       {"b1:h3", Area{1, 2, 3, 8}},   {"A6", Area{6, 1, 6, 1}},
        {"B:H", Area{0, 2, 0, 8}},      {"A", Area{0, 1, 0, 1}},       {"H3:B1", Area{1, 2, 3, 8}},
        {"AA10", Area{10, 27, 10, 27}}, {"XFD1", Area{1, 16384, 1, 16384}},
        {"", std::nullopt},             {"1A", std::nullopt},          {"A0", std::nullopt},
        {"XFE1", std::nullopt},         {"B1:H", std::nullopt},        {"A1B", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseArea(c.text), c.area) << c.text;
}

TEST(XlAreas, NamesColumnsPastZ) {
    const struct {
        int column;
        const char* letters;
    } cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto& c : cases) {
        EXPECT_EQ(columnLetters(c.column), c.letters);
        EXPECT_EQ(columnNumber(c.letters), c.column);
    }
}

TEST(XlSheet, PastesRowsAtCrLfAndCellsAtTabFromTheTopLeftCell) {
    Sheet sheet;
    sheet.cellAt(7, 2).value = CellValue{CellValue::Kind::Text, "old", 0};
    EXPECT_EQ(sheet.paste(6, 1, "\tx\ty\r\n\t\tz\r\nlabel\r\n"), 3);
    EXPECT_EQ(sheet.cell(6, 2)->value.text, "x");
    EXPECT_EQ(sheet.cell(6, 3)->value.text, "y");
    EXPECT_EQ(sheet.cell(6, 1), nullptr);                              // an empty first cell stays empty
    EXPECT_EQ(sheet.cell(7, 2)->value.kind, CellValue::Kind::Empty);  // pasting empty clears
    EXPECT_EQ(sheet.cell(7, 3)->value.text, "z");
    EXPECT_EQ(sheet.cell(8, 1)->value.text, "label");
    EXPECT_EQ(sheet.paste(1, 1, "no line end"), 1);
}

TEST(XlSheet, MergesRowByRowAcrossAndFormatsCellsOverTheirColumns) {
    Sheet sheet;
    sheet.merge(Area{1, 2, 3, 8}, true);
    ASSERT_EQ(sheet.merges().size(), 3u);
    EXPECT_EQ(sheet.merges()[2], (Area{3, 2, 3, 8}));
    sheet.merge(Area{5, 1, 6, 2}, false);
    EXPECT_EQ(sheet.merges().back(), (Area{5, 1, 6, 2}));

    sheet.format(Area{0, 2, 0, 2}, [](Format& f) { f.alignment = 4; f.numberFormat = "0.00"; });
    sheet.format(Area{4, 2, 4, 2}, [](Format& f) { f.bold = true; f.alignment = 3; });
    const Format cell = sheet.effectiveFormat(4, 2);
    EXPECT_EQ(cell.alignment, 3);
    EXPECT_EQ(cell.numberFormat, "0.00");
    EXPECT_EQ(cell.bold, true);
    EXPECT_EQ(sheet.effectiveFormat(9, 2).alignment, 4);
    EXPECT_FALSE(sheet.effectiveFormat(9, 3).alignment.has_value());
}

TEST(XlZip, ComputesTheStandardCrcAndListsEveryEntry) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc32(""), 0u);
    StoredZip zip;
    zip.add("a.txt", "alpha");
    zip.add("dir/b.txt", "");
    const std::string bytes = zip.finish();
    ASSERT_GE(bytes.size(), 22u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("PK\x03\x04", 4));
    const std::string end = bytes.substr(bytes.size() - 22);
    EXPECT_EQ(end.substr(0, 4), std::string("PK\x05\x06", 4));
    EXPECT_EQ(static_cast<unsigned char>(end[10]), 2u);  // entries in the directory
}

TEST(XlXlsx, EscapesTextsAndDropsWhatXmlCannotHold) {
    Sheet sheet;
    sheet.cellAt(1, 1).value = CellValue{CellValue::Kind::Text, "a<b & \"c\"\x01", 0};
    const std::string package = xlsxPackage(sheet);
    EXPECT_NE(package.find("a&lt;b &amp; &quot;c&quot;</t>"), std::string::npos);
}

}  // namespace
}  // namespace xl
