// Row pitch, alignment coding, text flags, widths, the cell, erase, cursor and editor rectangles, line
// extraction and the record selector's geometry.
#include <gtest/gtest.h>

#include "framework/browse/model/cell_rules.h"

namespace vorpex::browse {
namespace {

TEST(CellRules, RowPitch) {
    struct Case {
        int64_t fixed, content, lines, rowStyle, expected;
    } cases[] = {
        {0, 13, 1, kNoLines, 18},  // "B" of an 8-point font + 4 is below the minimum
        {0, 13, 1, kBlack, 19},   {0, 13, 1, kInset, 20},  {0, 13, 1, kRaised, 20},
        {0, 16, 1, kNoLines, 20}, {0, 13, 2, kNoLines, 30}, {0, 13, 2, kLightGray, 31},
        {12, 13, 1, kBlack, 18},  // a fixed height keeps the minimum
        {25, 13, 1, kBlack, 25},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rowPitch(c.fixed, c.content, c.lines, c.rowStyle), c.expected)
            << c.fixed << " " << c.content << "x" << c.lines << " style " << c.rowStyle;
    EXPECT_EQ(cellHeight(19, kBlack), 18);
    EXPECT_EQ(cellHeight(20, kRaised), 18);
    EXPECT_EQ(cellHeight(18, kNoLines), 18);
}

TEST(CellRules, DividerColours) {
    EXPECT_EQ(dividerColor(kNoLines, 0x123456), std::nullopt);
    EXPECT_EQ(dividerColor(kBlack, 0x123456), 0u);
    EXPECT_EQ(dividerColor(kDarkGray, 0), 0x808080u);
    EXPECT_EQ(dividerColor(kForeColor, 0x123456), 0x123456u);
    EXPECT_EQ(dividerColor(kLightGray, 0), 0xC0C0C0u);
    EXPECT_EQ(dividerColor(kInset, 0), 0xC6C5C7u);
}

TEST(CellRules, Alignment) {
    struct Case {
        int64_t alignment, data, header;
    } cases[] = {{0, 0, 0},  {2, 2, 2},  {6, 6, 6},  {64, 0, 6}, {32, 0, 2},
                 {18, 2, 0}, {66, 2, 6}, {22, 6, 0}, {38, 6, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(dataAlignment(c.alignment), c.data) << c.alignment;
        EXPECT_EQ(headerAlignment(c.alignment), c.header) << c.alignment;
    }
    EXPECT_EQ(cellTextStyle(0, false), 0x800 | 0x2000 | 0x10000 | 0x20 | 4);
    EXPECT_EQ(cellTextStyle(66, false), 0x800 | 0x2000 | 0x10000 | 0x20 | 4 | 2);
    EXPECT_EQ(cellTextStyle(6, true), 0x800 | 0x2000 | 0x10000 | 0x10 | 1);
}

TEST(CellRules, Widths) {
    EXPECT_EQ(computedWidth({.header = 40, .data = 30}, false), 56);
    EXPECT_EQ(computedWidth({.header = 40, .data = 30}, true), 86) << "room for the sort arrow";
    EXPECT_EQ(computedWidth({.header = 20, .footer = 70, .data = 30}, false), 86);
    EXPECT_EQ(computedWidth({.data = 90}, false), 96);
    EXPECT_EQ(clampedWidth(5), 10);
    EXPECT_EQ(clampedWidth(50), 50);
    EXPECT_EQ(dataWidth(40, std::nullopt, 10), 50);
    EXPECT_EQ(dataWidth(40, 16, 10), 76);
}

TEST(CellRules, CellRectangles) {
    const CellGeometry first{.x = 24, .width = 60, .position = 1, .colStyle = kBlack, .rowStyle = kBlack,
                             .lastCol = 400};
    CellGeometry second = first;
    second.x = 84;
    second.position = 2;
    EXPECT_EQ(cellRect(first, 10, 18), (Rect{24, 10, 82, 28}));
    EXPECT_EQ(cellRect(second, 10, 18), (Rect{83, 10, 142, 28})) << "over the line of the column on its left";
    CellGeometry plain = first;
    plain.colStyle = kNoLines;
    EXPECT_EQ(cellRect(plain, 10, 18), (Rect{24, 10, 83, 28}));
    EXPECT_EQ(contentBox(Rect{24, 10, 82, 28}), (Rect{27, 12, 79, 26}));

    EXPECT_EQ(eraseRect(first, 10, 19, false), (Rect{24, 10, 83, 28}));
    EXPECT_EQ(eraseRect(second, 10, 19, true), (Rect{83, 10, 143, 29}));
    CellGeometry raised = first;
    raised.colStyle = raised.rowStyle = kRaised;
    EXPECT_EQ(eraseRect(raised, 10, 20, false), (Rect{24, 10, 82, 28}));
    CellGeometry cut = first;
    cut.lastCol = 50;
    EXPECT_EQ(eraseRect(cut, 10, 19, true).right, 50) << "never past the grid's last column";

    EXPECT_EQ(cursorRect(first, 10, 18, 1), (Rect{24, 10, 82, 28}));
    EXPECT_EQ(cursorRect(second, 10, 18, 2), (Rect{83, 10, 141, 27}));
    EXPECT_EQ(cursorRect(cut, 10, 18, 3), (Rect{24, 10, 49, 27}));
}

TEST(CellRules, EditorBounds) {
    const CellGeometry g{.x = 84, .width = 60, .position = 2, .colStyle = kBlack, .rowStyle = kBlack, .lastCol = 400};
    EXPECT_EQ(editorBounds(g, {.rowSel = 3, .pitch = 19, .headerHeight = 24}), (Rect{83, 62, 83 + 59, 62 + 18}));
    EXPECT_EQ(editorBounds(g, {.rowSel = 3, .pitch = 19, .headerHeight = 24, .phantomRow = 4, .dataRows = 3,
                               .appending = true}).top, 3 * 19 + 24) << "the phantom row below";
    EXPECT_EQ(editorBounds(g, {.rowSel = 1, .pitch = 19, .headerHeight = 24, .phantomRow = 1, .dataRows = 0,
                               .appending = true}).top, 24) << "no data row painted";
    const CellGeometry bare{.x = 0, .width = 60, .position = 1, .lastCol = 400};
    EXPECT_EQ(editorBounds(bare, {.rowSel = 1, .pitch = 18, .headerHeight = 0}), (Rect{0, 0, 59, 18}));
}

TEST(CellRules, ExtractLine) {
    struct Case {
        const char* text;
        int64_t start;
        const char* line;
        int64_t next;
    } cases[] = {
        {"ab\r\ncd", 1, "ab", 5}, {"ab\r\ncd", 5, "cd", 7}, {"ab\r\ncd", 7, "", 7},
        {"abc", 1, "abc", 4},     {"\r\nx", 1, "", 3},      {"", 1, "", 1},
        {"ab\r\ncd", 0, "ab", 5},
    };
    for (const Case& c : cases) {
        int64_t start = c.start;
        EXPECT_EQ(extractLine(c.text, start), c.line) << c.text << " from " << c.start;
        EXPECT_EQ(start, c.next) << c.text << " from " << c.start;
    }
}

TEST(CellRules, RecordSelector) {
    EXPECT_EQ(selectorWidth(24, 40, 24), 24);
    EXPECT_EQ(selectorWidth(0, std::nullopt, 26), 26) << "square with nothing measured";
    EXPECT_EQ(selectorWidth(0, 30, 26), 36);
    EXPECT_EQ(selectorTextBox(24, 40, 19, true), (Rect{3, 42, 5, 57}));
    EXPECT_EQ(selectorTextBox(60, 40, 19, false), (Rect{3, 42, 53, 57}));
    EXPECT_EQ(selectorPointer(24, Rect{3, 42, 5, 57}), (Point{7, 41}));
}

}  // namespace
}  // namespace vorpex::browse
