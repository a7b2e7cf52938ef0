// The multi-selection modes over a fake source of numbered rows: which bookmarks are selected and in what
// order (the last is the anchor), where the source is left, and what the grid is asked to draw.
#include <gtest/gtest.h>

#include "framework/browse/model/selection.h"
#include "framework/browse/model/tests/fake_row_source.h"

namespace vorpex::browse::testing {
namespace {

struct Sel {
    FakeRows source;
    RecordingPort port{source};
    Viewport view;
    std::vector<rt::Value> marks;
    explicit Sel(int64_t rows, int64_t at, std::vector<int64_t> selected = {}) : source(rows) {
        source.put(at);
        view.keyNo = at;
        for (int64_t id : selected) marks.emplace_back(static_cast<long long>(id));
    }
    std::vector<int64_t> ids() const {
        std::vector<int64_t> out;
        for (const rt::Value& v : marks) out.push_back(v.asInteger());
        return out;
    }
    void apply(int mode) { Selection(source, port, view, marks).apply(mode); }
};

using Ids = std::vector<int64_t>;

TEST(Selection, ModesOnTheCurrentRow) {
    struct Case {
        const char* name;
        int64_t at;
        Ids before;
        int mode;
        Ids after;
        std::vector<std::string> log;
    } cases[] = {
        {"add appends the current row", 4, {2}, kSelectAdd, {2, 4}, {"draw 4*"}},
        {"add keeps a row once", 4, {4, 2}, kSelectAdd, {4, 2}, {"draw 4*"}},
        {"any mode on an empty selection adds", 4, {}, kSelectToggle, {4}, {"draw 4*"}},
        {"extend on an empty selection adds", 4, {}, kSelectExtend, {4}, {"draw 4*"}},
        {"toggle adds an absent row", 4, {2}, kSelectToggle, {2, 4}, {"draw 4*"}},
        // The anchor of the other rows (the last element) stays where it was.
        {"toggle removes in order", 4, {4, 7, 9}, kSelectToggle, {7, 9}, {"draw 4"}},
        {"clear repaints", 4, {2, 4}, kSelectClear, {}, {"repaint"}},
        {"clearing only the current row draws nothing", 4, {4}, kSelectClear, {}, {}},
    };
    for (const Case& c : cases) {
        Sel s(10, c.at, c.before);
        s.apply(c.mode);
        EXPECT_EQ(s.ids(), c.after) << c.name;
        EXPECT_EQ(s.port.log, c.log) << c.name;
        EXPECT_EQ(s.source.current(), c.at) << c.name;
    }
}

TEST(Selection, ExtendWalksFromTheAnchorToTheCurrentRow) {
    struct Case {
        const char* name;
        int64_t at;
        Ids before, after;
    } cases[] = {
        {"down from the anchor", 6, {3}, {3, 4, 5, 6}},
        {"up from the anchor", 2, {5}, {5, 4, 3, 2}},
        {"other rows give way to the range", 6, {9, 1, 3}, {3, 4, 5, 6}},
        {"the anchor itself changes nothing", 3, {1, 3}, {1, 3}},
    };
    for (const Case& c : cases) {
        Sel s(10, c.at, c.before);
        s.apply(kSelectExtend);
        EXPECT_EQ(s.ids(), c.after) << c.name;
        EXPECT_EQ(s.source.current(), c.at) << c.name;
        EXPECT_EQ(s.view.keyNo, c.at) << c.name;
    }
}

TEST(Selection, ShiftClickTwiceStartsTheSecondRangeAtTheFirstClick) {
    Sel s(20, 3, {3});
    s.source.put(8);
    s.apply(kSelectExtend);
    EXPECT_EQ(s.ids(), (Ids{3, 4, 5, 6, 7, 8}));
    s.source.put(12);
    s.apply(kSelectExtend);
    EXPECT_EQ(s.ids(), (Ids{8, 9, 10, 11, 12}));
}

TEST(Selection, CtrlClickKeepsTheAnchorForTheNextRange) {
    Sel s(20, 5, {2, 5});  // anchor 5
    s.source.put(2);
    s.apply(kSelectToggle);  // 2 leaves, 5 is still the anchor
    s.source.put(7);
    s.apply(kSelectExtend);
    EXPECT_EQ(s.ids(), (Ids{5, 6, 7}));
}

// Rows that vanished from the source (a filter, hidden deleted records) leave neither holes nor stale marks,
// even when the count of keys says otherwise.
TEST(Selection, SelectAllTakesTheVisibleRowsAndReturns) {
    Sel s(8, 5);
    s.source.remove(3);
    s.source.remove(7);
    s.apply(kSelectAll);
    EXPECT_EQ(s.ids(), (Ids{1, 2, 4, 5, 6, 8}));
    EXPECT_EQ(s.source.current(), 5);
    EXPECT_EQ(s.port.log, (std::vector<std::string>{"repaint"}));

    Sel empty(0, 0);
    empty.apply(kSelectAll);
    EXPECT_TRUE(empty.marks.empty());
}

}  // namespace
}  // namespace vorpex::browse::testing
