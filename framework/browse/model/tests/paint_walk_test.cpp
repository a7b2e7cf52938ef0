// The paint walk over a fake source: which row lands on which screen row, that the current row is left to
// its own drawing, and that the source ends on the row it started from, even when rows vanished above the
// current one or while the walk ran.
#include <gtest/gtest.h>

#include "framework/browse/model/paint_walk.h"
#include "framework/browse/model/tests/fake_row_source.h"

namespace vorpex::browse::testing {
namespace {

struct Walk {
    FakeRows source;
    Viewport view;
    std::vector<std::pair<int64_t, int64_t>> drawn;  // screen row, row id (0 for the phantom)
    std::vector<int64_t> keys;                       // the position handed with each drawn row
    Walk(int64_t rows, int64_t current, int64_t rowSel) : source(rows) {
        source.put(current);
        view = {.keyNo = source.keyNo(), .len = rows, .rowSel = rowSel};
    }
    WalkResult run(WalkPlan plan) {
        return paintWalk(source, view, plan, [this](const WalkRow& row) {
            drawn.emplace_back(row.screenRow, row.phantom ? 0 : source.current());
            keys.push_back(row.keyNo);
        });
    }
};

using Rows = std::vector<std::pair<int64_t, int64_t>>;

TEST(PaintWalk, DrawsTheRowsAroundTheCurrentOneAndReturnsToIt) {
    Walk w(50, 20, 4);
    const WalkResult r = w.run({.screenRows = 6});
    EXPECT_EQ(w.drawn, (Rows{{1, 17}, {2, 18}, {3, 19}, {5, 21}, {6, 22}})) << "the current row is drawn apart";
    EXPECT_EQ(w.keys, (std::vector<int64_t>{17, 18, 19, 21, 22})) << "each row's own position";
    EXPECT_EQ(w.source.current(), 20);
    EXPECT_EQ(w.view.keyNo, 20);
    EXPECT_EQ(w.view.rowSel, 4);
    EXPECT_EQ(w.view.dataRows, 6);
    EXPECT_EQ(r.lastRow, 6);
    EXPECT_LE(w.source.rowsMoved, 2 * 6) << "only the visible rows are walked";
}

TEST(PaintWalk, ShortSourceEndsTheWalkOnItsLastRow) {
    Walk w(3, 3, 3);
    w.run({.screenRows = 10});
    EXPECT_EQ(w.drawn, (Rows{{1, 1}, {2, 2}}));
    EXPECT_EQ(w.view.dataRows, 3);
    EXPECT_EQ(w.view.rowSel, 3);
    EXPECT_EQ(w.source.current(), 3);
}

TEST(PaintWalk, FewerRowsAboveThanTheGridExpectedMoveTheCurrentRowUp) {
    // The grid shows the current row on screen row 5, but rows above it were deleted by someone else.
    Walk w(20, 6, 5);
    for (int64_t id : {2, 3, 4}) w.source.remove(id);
    w.view.keyNo = w.source.keyNo();
    w.run({.screenRows = 8});
    EXPECT_EQ(w.view.rowSel, 3) << "two rows are left above it";
    EXPECT_EQ(w.drawn, (Rows{{1, 1}, {2, 5}, {4, 7}, {5, 8}, {6, 9}, {7, 10}, {8, 11}}));
    EXPECT_EQ(w.source.current(), 6) << "the walk returns to the very row it started from";
    EXPECT_EQ(w.view.keyNo, 3);
}

TEST(PaintWalk, RowsVanishingWhileWalkingDoNotMoveTheSource) {
    Walk w(30, 10, 3);
    bool deleted = false;
    w.source.afterSkip = [&deleted](FakeRows& rows) {
        if (!deleted && rows.current() == 14) {
            deleted = true;
            rows.remove(12);  // between the current row and the walk's end
        }
    };
    w.run({.screenRows = 8});
    EXPECT_EQ(w.source.current(), 10);
    EXPECT_EQ(w.view.keyNo, 10);
}

TEST(PaintWalk, AScreenRowBeyondTheScreenIsBroughtBack) {
    Walk w(50, 30, 12);  // the window shrank to 5 rows
    w.run({.screenRows = 5});
    EXPECT_EQ(w.view.rowSel, 5);
    EXPECT_EQ(w.drawn.front(), (std::pair<int64_t, int64_t>{1, 26}));
    EXPECT_EQ(w.source.current(), 30);
}

TEST(PaintWalk, PhantomRowTakesAScreenRowWithoutMovingTheSource) {
    Walk w(50, 20, 2);
    w.run({.screenRows = 5, .phantomRow = 2});
    // Inserting: the empty row stands where the current row was, the current row shows below it.
    EXPECT_EQ(w.drawn, (Rows{{1, 19}, {2, 0}, {3, 20}, {4, 21}, {5, 22}}));
    EXPECT_EQ(w.source.current(), 20);
}

TEST(PaintWalk, NothingToWalk) {
    struct Case {
        const char* name;
        int64_t rows;
        WalkPlan plan;
    } cases[] = {
        {"empty source", 0, {.screenRows = 10}},
        {"no room", 50, {.screenRows = 0}},
        {"no displayed column", 50, {.screenRows = 10, .hasColumns = false}},
    };
    for (const Case& c : cases) {
        Walk w(c.rows, 1, 4);
        w.view.dataRows = 7;
        EXPECT_TRUE(w.run(c.plan).empty) << c.name;
        EXPECT_TRUE(w.drawn.empty()) << c.name;
        EXPECT_EQ(w.view.dataRows, 0) << c.name;
        EXPECT_EQ(w.view.rowSel, 1) << c.name;
    }
}

TEST(PaintWalk, CostDoesNotGrowWithTheSource) {
    Walk small(1000, 500, 10), large(1000000, 500000, 10);
    small.run({.screenRows = 30});
    large.run({.screenRows = 30});
    EXPECT_EQ(small.source.rowsMoved, large.source.rowsMoved);
}

}  // namespace
}  // namespace vorpex::browse::testing
