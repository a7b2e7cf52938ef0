// Which columns show where, what is visible, the horizontal bar and the column a pixel or a selection lands
// on, over plain widths.
#include <gtest/gtest.h>

#include "framework/browse/model/column_layout.h"

namespace vorpex::browse {
namespace {

using Cols = std::vector<ColumnBox>;
using Shown = std::vector<std::pair<size_t, int64_t>>;  // column (0-based), x

Shown shown(const std::vector<Placed>& placed) {
    Shown s;
    for (const Placed& p : placed) s.emplace_back(p.column, p.x);
    return s;
}

TEST(ColumnLayout, DisplayedColumns) {
    const Cols three{{60}, {80}, {100}};
    struct Case {
        const char* name;
        Cols columns;
        LayoutInput in;
        Shown expected;
    } cases[] = {
        {"all start inside", three, {.firstCol = 24, .clientWidth = 200}, {{0, 24}, {1, 84}, {2, 164}}},
        {"the last starts outside", three, {.firstCol = 24, .clientWidth = 164}, {{0, 24}, {1, 84}}},
        {"scrolled by one", three, {.colOffset = 2, .firstCol = 24, .clientWidth = 200}, {{1, 24}, {2, 104}}},
        {"one column wider than the client", {{500}}, {.clientWidth = 200}, {{0, 0}}},
        {"a wide column first still shows", {{500}, {50}}, {.firstCol = 24, .clientWidth = 200}, {{0, 24}}},
        {"hidden columns are skipped", {{60, false}, {80}}, {.clientWidth = 200}, {{1, 0}}},
        {"frozen columns stay left", {{60}, {80}, {100}, {50}}, {.freeze = 1, .colOffset = 2, .clientWidth = 300},
         {{0, 0}, {2, 60}, {3, 160}}},
        {"a hidden column is not frozen", {{60, false}, {80}, {100}}, {.freeze = 1, .clientWidth = 300},
         {{1, 0}, {2, 80}}},
        {"no columns", {}, {.clientWidth = 200}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(shown(displayColumns(c.columns, c.in)), c.expected) << c.name;
}

TEST(ColumnLayout, VisibilityOfPositions) {
    const Cols cols{{60}, {80}, {100}};
    const LayoutInput in{.firstCol = 24, .clientWidth = 200};
    const DisplayRow row(displayColumns(cols, in), in.firstCol, in.clientWidth);
    EXPECT_TRUE(row.isPositionVisible(3)) << "starts on screen";
    EXPECT_FALSE(row.isPositionVisible(3, true)) << "ends off screen";
    EXPECT_TRUE(row.isPositionVisible(2, true));
    EXPECT_FALSE(row.isPositionVisible(0));
    EXPECT_FALSE(row.isPositionVisible(4));
    EXPECT_EQ(row.lastPosition(), 3);
    EXPECT_EQ(row.lastPosition(true), 2);
    EXPECT_EQ(row.width(), 24 + 240);
    EXPECT_EQ(row.positionOf(2), 3);
    EXPECT_FALSE(allColumnsVisible(cols, row, 0));
    EXPECT_FALSE(lastColumnVisible(cols, row));

    const DisplayRow wide(displayColumns(cols, {.firstCol = 24, .clientWidth = 400}), 24, 400);
    EXPECT_TRUE(allColumnsVisible(cols, wide, 0));
    EXPECT_TRUE(lastColumnVisible(cols, wide));
    const DisplayRow none({}, 24, 400);
    EXPECT_EQ(none.width(), 0);
    EXPECT_EQ(none.lastPosition(), 1);
    EXPECT_TRUE(allColumnsVisible({}, none, 0));

    // Scrolled past the first column: not all visible, though the last one is.
    const LayoutInput scrolled{.colOffset = 2, .clientWidth = 400};
    const DisplayRow past(displayColumns(cols, scrolled), 0, 400);
    EXPECT_FALSE(allColumnsVisible(cols, past, 0));
    EXPECT_TRUE(lastColumnVisible(cols, past));
}

TEST(ColumnLayout, HorizontalBar) {
    const Cols cols{{100}, {100}, {100}};
    struct Case {
        const char* name;
        LayoutInput in;
        HorizontalBar expected;
    } cases[] = {
        {"unscrolled", {.firstCol = 24, .clientWidth = 224}, {.min = 1, .max = 299, .page = 199, .position = 0}},
        {"scrolled by one", {.colOffset = 2, .firstCol = 24, .clientWidth = 224}, {1, 299, 199, 100}},
        {"a column wider than the room counts the room", {.firstCol = 0, .clientWidth = 80}, {1, 239, 79, 0}},
        {"frozen first column", {.freeze = 1, .colOffset = 2, .firstCol = 24, .clientWidth = 224}, {1, 299, 199, 100}},
    };
    for (const Case& c : cases) {
        const DisplayRow row(displayColumns(cols, c.in), c.in.firstCol, c.in.clientWidth);
        const HorizontalBar bar = horizontalBar(cols, row, c.in);
        EXPECT_EQ(bar.max, c.expected.max) << c.name;
        EXPECT_EQ(bar.page, c.expected.page) << c.name;
        EXPECT_EQ(bar.position, c.expected.position) << c.name;
    }
}

TEST(ColumnLayout, ColumnsReachedBySelectionOrPixel) {
    const Cols cols{{60}, {80}, {100}, {50}};
    EXPECT_EQ(offsetShowing(cols, 2, 200), 1) << "60 + 80 fit";
    EXPECT_EQ(offsetShowing(cols, 3, 200), 2) << "80 + 100 fit, 60 + 80 + 100 do not";
    EXPECT_EQ(offsetShowing(cols, 4, 200), 3);
    EXPECT_EQ(offsetShowing(cols, 3, 90), 3) << "never beyond the column asked for";
    EXPECT_EQ(columnAtPixel(cols, 1), 1);
    EXPECT_EQ(columnAtPixel(cols, 60), 1);
    EXPECT_EQ(columnAtPixel(cols, 61), 2);
    EXPECT_EQ(columnAtPixel(cols, 5000), 4);
    EXPECT_EQ(columnAtPixel({{60, false}, {80}}, 10), 1) << "counted among the visible columns";
    EXPECT_EQ(columnAtPixel({}, 10), 0);
}

}  // namespace
}  // namespace vorpex::browse
