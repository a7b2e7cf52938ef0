// The vertical moves over a fake source of numbered rows and a port that writes down what they ask: where the
// current row lands (position and screen row), whether the pixels scroll or the grid repaints, the bar, the
// change event; at the edges, on empty and one-row sources, and after rows vanished under the grid.
#include <gtest/gtest.h>

#include <functional>

#include "framework/browse/model/tests/fake_row_source.h"

namespace vorpex::browse::testing {
namespace {

using Log = std::vector<std::string>;

using Grid = FakeGrid<Navigator>;

struct MoveCase {
    const char* name;
    Start start;
    std::function<void(Navigator&)> move;
    int64_t key, rowSel;  // afterwards; the source must be on row `key`
    Log log;
};

TEST(Viewport, VerticalMoves) {
    const auto up = [](Navigator& n) { n.goUp(); };
    const auto down = [](Navigator& n) { n.goDown(false); };
    const auto downAppend = [](Navigator& n) { n.goDown(true); };
    const auto pageUp = [](Navigator& n) { n.goPageUp(); };
    const auto pageDown = [](Navigator& n) { n.goPageDown(); };
    const MoveCase cases[] = {
        {"down inside the screen", {50, 5, 5}, down, 6, 6,
         {"cancel", "seek", "draw 5", "change row", "bar 6", "draw 6*"}},
        {"down on the last screen row scrolls", {50, 10, 10}, down, 11, 10,
         {"cancel", "seek", "draw 10", "scroll 1", "change row", "bar 11", "draw 11*"}},
        {"down on the last row", {50, 50, 10}, down, 50, 10, {"cancel", "seek", "draw 50", "bar max", "draw 50*"}},
        {"down on an empty source starts nothing", {0, 0, 1, 0}, down, 0, 1, {"cancel", "seek"}},
        {"down asked to append on an empty source", {0, 0, 1, 0}, downAppend, 0, 1,
         {"cancel", "seek", "pastEof", "append"}},
        {"down asked to append on the last row", {50, 50, 10}, downAppend, 50, 10,
         {"cancel", "seek", "pastEof", "append"}},
        {"up inside the screen", {50, 7, 4}, up, 6, 3, {"cancel", "draw 7", "seek", "bar 6", "change row", "draw 6*"}},
        {"up on the first screen row scrolls", {50, 11, 1}, up, 10, 1,
         {"cancel", "draw 11", "seek", "scroll -1", "bar 10", "change row", "draw 10*"}},
        {"up on the first row does nothing", {50, 1, 1}, up, 1, 1, {}},
        {"up on a one-row source does nothing", {1, 1, 1, 1}, up, 1, 1, {}},
        {"page down keeps the screen row", {50, 5, 5}, pageDown, 15, 5,
         {"cancel", "seek", "draw 5", "change row", "repaint", "bar 15"}},
        {"page down with the last row on screen jumps to it", {50, 45, 5}, pageDown, 50, 10,
         {"cancel", "seek", "draw 45", "change row", "draw 50*", "bar max"}},
        {"page down at the top of the last page", {50, 42, 1, 9}, pageDown, 50, 9,
         {"cancel", "seek", "draw 42", "change row", "draw 50*", "bar max"}},
        {"page up at the top only redraws", {50, 1, 1}, pageUp, 1, 1, {"cancel", "seek", "draw 1", "draw 1*"}},
        {"page up near the top lands on screen row 1", {50, 5, 5}, pageUp, 1, 1,
         {"cancel", "seek", "draw 5", "bar 1", "change row", "repaint"}},
        {"page up keeps the screen row", {50, 30, 4}, pageUp, 20, 4,
         {"cancel", "seek", "draw 30", "bar 20", "change row", "repaint"}},
        {"top", {50, 30, 6}, [](Navigator& n) { n.goTop(); }, 1, 1,
         {"cancel", "seek", "draw 30", "bar 1", "change row", "repaint"}},
        {"bottom shows the last row on the last screen row", {50, 3, 3},
         [](Navigator& n) { n.goBottom(); }, 50, 10, {"cancel", "seek", "draw 3", "bar max", "change row", "repaint"}},
        {"bottom of a short source", {4, 1, 1, 4}, [](Navigator& n) { n.goBottom(); }, 4, 4,
         {"cancel", "seek", "draw 1", "bar max", "change row", "repaint"}},
        {"bottom on the last row only redraws it", {50, 50, 10}, [](Navigator& n) { n.goBottom(); }, 50, 10,
         {"cancel", "seek", "draw 50", "draw 50*"}},
        {"go to keeps the screen row", {50, 5, 5}, [](Navigator& n) { n.goTo(30); }, 30, 5,
         {"cancel", "seek", "draw 5", "wait", "arrow", "change row", "bar 30", "repaint"}},
        {"go to near the top", {50, 20, 8}, [](Navigator& n) { n.goTo(3); }, 3, 3,
         {"cancel", "seek", "draw 20", "wait", "arrow", "change row", "bar 3", "repaint"}},
        {"go to past the end takes the source's position", {50, 5, 5}, [](Navigator& n) { n.goTo(99); }, 50, 5,
         {"cancel", "seek", "draw 5", "wait", "arrow", "change row", "bar 50", "repaint"}},
        {"go to on an empty source", {0, 0, 1, 0}, [](Navigator& n) { n.goTo(3); }, 0, 1, {}},
    };
    for (const MoveCase& c : cases) {
        Grid g(c.start);
        c.move(g.mover);
        EXPECT_EQ(g.view.keyNo, c.key) << c.name;
        EXPECT_EQ(g.source.current(), c.key) << c.name;
        EXPECT_EQ(g.view.rowSel, c.rowSel) << c.name;
        EXPECT_EQ(g.port.log, c.log) << c.name;
    }
}

TEST(Viewport, GoingToARowOfASourceWithoutPositionsWalksThere) {
    Grid g({50, 5, 5});
    g.source.positionsByNumber = false;
    g.mover.goTo(12);
    EXPECT_EQ(g.source.current(), 12);
    EXPECT_EQ(g.view.keyNo, 12);
    EXPECT_EQ(g.view.rowSel, 5);
}

TEST(Viewport, UpWhileAppendingOnlyCancelsTheEdit) {
    Grid g({50, 7, 4});
    g.port.mode = kAppend;
    g.mover.goUp();
    EXPECT_EQ(g.port.log, Log{"cancel"});
    EXPECT_EQ(g.source.current(), 7);
}

TEST(Viewport, AHandlerPastTheEndKeepsTheGridFromAppending) {
    Grid g({50, 50, 10});
    g.port.handlerTakesPastEof = true;
    g.mover.goDown(true);
    EXPECT_EQ(g.port.log, (Log{"cancel", "seek", "pastEof"}));
}

TEST(Viewport, ScrollingUpGrowsThePaintedRowsUpToAScreen) {
    Grid g({50, 11, 1, 9});
    g.mover.goUp();
    EXPECT_EQ(g.view.dataRows, 10);
    g.mover.goUp();
    EXPECT_EQ(g.view.dataRows, 10);
}

TEST(Viewport, RefreshBringsTheScreenRowIntoRange) {
    struct Case {
        const char* name;
        Start start;
        bool reset;
        std::function<void(FakeRows&)> change;
        int64_t key, len, rowSel;
    } cases[] = {
        {"fewer rows than the screen row", {4, 4, 10, 4}, false, {}, 4, 4, 4},
        {"no more rows above than exist", {50, 3, 7}, false, {}, 3, 50, 3},
        {"the last row sits on the last screen row", {50, 48, 2}, false, {}, 48, 50, 8},
        {"a middle row keeps its screen row", {50, 25, 6}, false, {}, 25, 50, 6},
        {"reset", {50, 25, 6}, true, {}, 25, 50, 1},
        {"the current row deleted under the grid", {50, 50, 10}, false, [](FakeRows& r) { r.remove(50); }, 49, 49, 10},
        {"rows above deleted", {20, 6, 6}, false, [](FakeRows& r) { r.remove(1), r.remove(2), r.remove(3); }, 3, 17, 3},
        {"every row deleted", {3, 2, 2, 3}, false, [](FakeRows& r) { r.remove(1), r.remove(2), r.remove(3); }, 0, 0, 1},
    };
    for (const Case& c : cases) {
        Grid g(c.start);
        if (c.change) c.change(g.source);
        g.mover.refresh(c.reset);
        EXPECT_EQ(g.view.keyNo, c.key) << c.name;
        EXPECT_EQ(g.view.len, c.len) << c.name;
        EXPECT_EQ(g.view.rowSel, c.rowSel) << c.name;
    }
}

TEST(Viewport, MovesAfterRowsVanishedFollowTheSource) {
    // The grid still believes in 50 rows; the last ten are gone.
    Grid g({50, 38, 1});
    for (int64_t id = 41; id <= 50; ++id) g.source.remove(id);
    g.mover.goPageDown();
    EXPECT_EQ(g.source.current(), 40);
    EXPECT_EQ(g.view.keyNo, 40) << "moved by the rows really moved";
    g.mover.goDown(false);
    EXPECT_EQ(g.port.log.back(), "draw 40*");
    EXPECT_EQ(g.view.keyNo, 40);
}

TEST(Viewport, VerticalBarFollowsTheView) {
    EXPECT_EQ(verticalBar({.keyNo = 7, .len = 50}).max, 50);
    EXPECT_EQ(verticalBar({.keyNo = 7, .len = 50}).position, 7);
    EXPECT_EQ(verticalBar({.keyNo = 0, .len = 0}).position, 1) << "1 while unknown";
}

}  // namespace
}  // namespace vorpex::browse::testing
