// The grid following a source that moved on its own (a data set moved by a navigator or a program): where the
// marker lands, what is scrolled or repainted, the bar, the change event, and the offer to append past the
// end, over a fake source of numbered rows; also a source whose positions jump over hidden rows.
#include <gtest/gtest.h>

#include <functional>

#include "framework/browse/model/follow.h"
#include "framework/browse/model/tests/fake_row_source.h"

namespace vorpex::browse::testing {
namespace {

using Log = std::vector<std::string>;

struct FollowingGrid : FakeGrid<Follower> {
    using FakeGrid::FakeGrid;
    // The source skips by itself, then tells the grid.
    void skip(int64_t n, bool keyboard = false) {
        const int64_t moved = source.skip(n);
        port.log.clear();
        mover.skipped(n, moved, keyboard);
    }
};

struct FollowCase {
    const char* name;
    Start start;
    std::function<void(FollowingGrid&)> move;
    int64_t key, rowSel;  // afterwards
    Log log;
};

TEST(Follow, TheGridFollowsEachMoveOfItsSource) {
    const auto skip = [](int64_t n, bool keyboard = false) { return [=](FollowingGrid& g) { g.skip(n, keyboard); }; };
    const auto top = [](FollowingGrid& g) {
        g.source.moveTop();
        g.mover.toTop();
    };
    const auto bottom = [](FollowingGrid& g) {
        g.source.moveBottom();
        g.mover.toBottom();
    };
    const auto jump = [](int64_t key) {
        return [=](FollowingGrid& g) {
            g.source.gotoKey(key);
            g.mover.jumped();
        };
    };
    const FollowCase cases[] = {
        {"next inside the screen", {50, 5, 5}, skip(1), 6, 6, {"change row", "bar 6", "draw 6*"}},
        {"next on the last screen row scrolls", {50, 10, 10}, skip(1), 11, 10,
         {"scroll 1", "change row", "bar 11", "draw 11*"}},
        {"next on the last row only redraws", {50, 50, 10}, skip(1), 50, 10, {"bar max", "draw 50*"}},
        {"the Down key on the last row offers an append", {50, 50, 10}, skip(1, true), 50, 10,
         {"bar max", "pastEof", "append"}},
        {"previous inside the screen", {50, 7, 4}, skip(-1), 6, 3, {"bar 6", "change row", "draw 6*"}},
        {"previous on the first screen row scrolls", {50, 11, 1}, skip(-1), 10, 1,
         {"scroll -1", "bar 10", "change row", "draw 10*"}},
        {"previous on the first row only redraws", {50, 1, 1}, skip(-1), 1, 1, {"draw 1*"}},
        {"a re-read of the same row redraws it", {50, 7, 4}, skip(0), 7, 4, {"draw 7*"}},
        {"a page down keeps the screen row", {50, 5, 5}, skip(10), 15, 5, {"change row", "repaint", "bar 15"}},
        {"a page down with the last row on screen jumps to it", {50, 45, 5}, skip(10), 50, 10,
         {"change row", "draw 50*", "bar max"}},
        {"a page up keeps the screen row", {50, 30, 4}, skip(-10), 20, 4, {"bar 20", "change row", "repaint"}},
        {"a page up near the top lands on screen row 1", {50, 5, 5}, skip(-10), 1, 1,
         {"bar 1", "change row", "repaint"}},
        {"a page up at the top only redraws", {50, 1, 1}, skip(-10), 1, 1, {"draw 1*"}},
        {"first", {50, 30, 6}, top, 1, 1, {"bar 1", "change row", "repaint"}},
        {"last shows the last row on the last screen row", {50, 3, 3}, bottom, 50, 10,
         {"bar max", "change row", "repaint"}},
        {"last of a short source", {4, 1, 1, 4}, bottom, 4, 4, {"bar max", "change row", "repaint"}},
        {"a jump keeps the screen row", {50, 5, 5}, jump(30), 30, 5, {"change row", "bar 30", "repaint"}},
        {"a jump near the top", {50, 20, 8}, jump(3), 3, 3, {"change row", "bar 3", "repaint"}},
    };
    for (const FollowCase& c : cases) {
        FollowingGrid g(c.start);
        c.move(g);
        EXPECT_EQ(g.view.keyNo, c.key) << c.name;
        EXPECT_EQ(g.source.current(), c.key) << c.name;
        EXPECT_EQ(g.view.rowSel, c.rowSel) << c.name;
        EXPECT_EQ(g.port.log, c.log) << c.name;
    }
}

TEST(Follow, AHandlerPastTheEndOrAMoveNotFromTheKeyboardStartsNoAppend) {
    FollowingGrid handled({50, 50, 10});
    handled.port.handlerTakesPastEof = true;
    handled.skip(1, true);
    EXPECT_EQ(handled.port.log, (Log{"bar max", "pastEof", "draw 50*"}));
    FollowingGrid wheel({50, 50, 10});
    wheel.skip(1, false);
    EXPECT_EQ(wheel.port.log, (Log{"bar max", "draw 50*"}));
}

TEST(Follow, AnEmptySourceOffersAnAppendOnlyToTheKeyboard) {
    FollowingGrid g({0, 0, 1, 0});
    g.skip(1, true);
    EXPECT_EQ(g.port.log, (Log{"pastEof", "append"}));
    g.skip(1, false);
    EXPECT_EQ(g.port.log, (Log{"draw 0*"}));
}

// Positions that jump over hidden rows: the row after 3 is 7 (4, 5 and 6 are hidden but still counted).
class GappedRows : public FakeRows {
public:
    GappedRows() : FakeRows(10) { ids = {1, 2, 3, 7, 8, 9, 10}; }
    int64_t keyNo() override { return current(); }
    int64_t keyCount() override { return 10; }
};

TEST(Follow, PositionsAreReadBackNotCounted) {
    GappedRows source;
    RecordingPort port{source};
    Viewport view{.keyNo = 3, .len = 10, .rowSel = 3, .dataRows = 7};
    Follower follow{source, port, view};
    source.put(3);
    follow.skipped(1, source.skip(1), false);
    EXPECT_EQ(view.keyNo, 7) << "the bar shows where the source is";
    EXPECT_EQ(view.rowSel, 4) << "the marker moves one row";
    source.moveBottom();
    follow.toBottom();
    EXPECT_EQ(view.keyNo, 10);
    EXPECT_EQ(view.rowSel, 7) << "seven rows exist, whatever the count says";
}

}  // namespace
}  // namespace vorpex::browse::testing
