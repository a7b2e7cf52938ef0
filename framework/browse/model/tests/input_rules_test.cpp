// Input arithmetic: typing characters, the row and column under a point, the selector's row lines and the
// row-height drag, the editor a Tab reaches, and where an incremental-search hit is shown.
#include <gtest/gtest.h>

#include "framework/browse/model/input_rules.h"
#include "framework/browse/model/tests/fake_row_source.h"

namespace vorpex::browse::testing {
namespace {

TEST(InputRules, TypingCharacters) {
    for (unsigned char c : std::string(" .:,;-_'?=)(/&%$!*{}\\|@#[]+<>aZ09\xBF\xA1\xBA\xAA\xC7\xE7\xA8"))
        EXPECT_TRUE(isTypingChar(c)) << int(c);
    for (unsigned char c : {'\0', '\t', '\r', '\x1B', '"', '^', '`', '~', '\x7F', '\xE9', '\xF1'})
        EXPECT_FALSE(isTypingChar(c)) << int(c);
}

TEST(InputRules, RowAndColumnUnderAPoint) {
    const RowGeometry rows{.firstDataRow = 20, .pitch = 18, .dataRows = 5};
    const std::pair<int64_t, int64_t> rowCases[] = {{0, 0}, {19, 0}, {20, 1}, {37, 1}, {38, 2}, {109, 5}, {110, 0}};
    for (auto [y, row] : rowCases) EXPECT_EQ(mouseRowPos(rows, y), row) << y;
    EXPECT_EQ(mouseRowPos({.firstDataRow = 0, .pitch = 0, .dataRows = 3}, 5), 0);

    const std::vector<Placed> placed{{0, 12, 50}, {2, 62, 30}};
    const std::pair<int64_t, int64_t> colCases[] = {{0, -1}, {11, -1}, {12, 1}, {61, 1}, {62, 2}, {91, 2}, {92, 0}};
    for (auto [x, col] : colCases) EXPECT_EQ(mouseColPos(placed, 12, x), col) << x;
    EXPECT_EQ(mouseColPos({}, 0, 40), -1);
}

TEST(InputRules, RowHeightDrag) {
    const RowGeometry rows{.firstDataRow = 20, .pitch = 18, .dataRows = 3};
    const std::pair<int64_t, int64_t> lineCases[] = {{37, 1}, {38, 1}, {39, 1}, {40, 0}, {55, 2}, {75, 3}, {93, 0}};
    for (auto [y, k] : lineCases) EXPECT_EQ(rowLineAt(rows, y), k) << y;

    struct Case {
        int64_t y, top, height, expected;
    } cases[] = {
        {60, 20, 300, 40},   // what the drag measured
        {25, 20, 300, 20},   // dragged above the 20-pixel minimum
        {295, 20, 300, 260}, // leaves 20 pixels below the row
        {100, 20, 50, 20},   // a grid too small for either rule keeps the minimum
    };
    for (const Case& c : cases) EXPECT_EQ(draggedRowHeight(c.y, c.top, c.height), c.expected) << c.y;
    EXPECT_FALSE(guideMayMoveTo(40, 20, 300));
    EXPECT_TRUE(guideMayMoveTo(41, 20, 300));
    EXPECT_FALSE(guideMayMoveTo(280, 20, 300));
}

TEST(InputRules, NextEditorWraps) {
    const std::vector<bool> eligible{false, true, false, true, false};
    EXPECT_EQ(nextEditor(eligible, 1, false), 3u);
    EXPECT_EQ(nextEditor(eligible, 3, false), 1u);  // past the last: the first again
    EXPECT_EQ(nextEditor(eligible, 3, true), 1u);
    EXPECT_EQ(nextEditor(eligible, 1, true), 3u);   // before the first: the last
    EXPECT_EQ(nextEditor(eligible, 2, false), 3u);  // from a column without an editor
    EXPECT_EQ(nextEditor({false, true}, 1, false), 1u);
    EXPECT_EQ(nextEditor({false, false}, 0, false), std::nullopt);
    EXPECT_EQ(nextEditor({}, 0, true), std::nullopt);
}

TEST(InputRules, WhereASearchHitIsShown) {
    struct Case {
        const char* name;
        int64_t current, rowSel, dataRows, found, screenRow, rowSel2;
    } cases[] = {
        {"below on screen", 12, 3, 10, 17, 8, 0},
        {"above on screen", 12, 3, 10, 10, 1, 0},
        {"below the screen", 12, 3, 10, 30, 0, 3},
        {"near the top keeps fewer rows above", 12, 5, 10, 2, 0, 2},
        {"a short source", 3, 3, 4, 4, 4, 0},
    };
    for (const Case& c : cases) {
        FakeRows rows(40);
        rows.put(c.current);
        EXPECT_EQ(screenRowOf(rows, rt::Value(static_cast<long long>(c.found)), c.rowSel, c.dataRows), c.screenRow)
            << c.name;
        EXPECT_EQ(rows.current(), c.found) << c.name;
        if (c.screenRow == 0) {
            EXPECT_EQ(rowSelFor(rows, c.rowSel), c.rowSel2) << c.name;
            EXPECT_EQ(rows.current(), c.found) << c.name;
        }
    }
}

}  // namespace
}  // namespace vorpex::browse::testing
