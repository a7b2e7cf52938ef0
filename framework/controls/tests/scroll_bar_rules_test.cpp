// The scroll bar's moves without windows: the step or target of each action, an event's answer in their
// place, and the position announced being the one the bar really takes.
#include <gtest/gtest.h>

#include "framework/controls/scroll_bar/scroll_bar_rules.h"

namespace vorpex::sbar {
namespace {

TEST(ScrollBarRules, Moves) {
    // Range 0..10, page 3: the last position the bar can hold is 8.
    const scroll::BarState bar{.position = 5, .page = 3, .min = 0, .max = 10, .track = 7};
    const scroll::BarState atEnd{.position = 8, .page = 3, .min = 0, .max = 10, .track = 8};
    const scroll::BarState noPage{.position = 10, .page = 0, .min = 0, .max = 10, .track = 0};
    struct Case {
        int action;
        std::optional<int64_t> answer;
        scroll::BarState state;
        Move expected;
    } cases[] = {
        {scroll::kLineUp, {}, bar, {Move::Up, 1, 4}},
        {scroll::kLineDown, {}, bar, {Move::Down, 1, 6}},
        {scroll::kPageUp, {}, bar, {Move::Up, 3, 2}},
        {scroll::kPageDown, {}, bar, {Move::Down, 3, 8}},
        {scroll::kLineUp, 5, bar, {Move::Up, 5, 0}},          // the answer is the step
        {scroll::kPageUp, 2, bar, {Move::Up, 2, 3}},
        {scroll::kThumbTrack, {}, bar, {Move::To, 7, 7}},
        {scroll::kThumbPosition, 2, bar, {Move::To, 2, 2}},  // the answer is the target
        {scroll::kThumbTrack, 50, bar, {Move::To, 50, 8}},   // announced where the bar really stops
        {scroll::kLineDown, {}, atEnd, {Move::Down, 1, 8}},   // a line down at the end stays at the end
        {scroll::kPageDown, {}, atEnd, {Move::Down, 3, 8}},
        {scroll::kLineDown, {}, noPage, {Move::Down, 1, 10}},
        {scroll::kLineUp, {}, {.position = 0, .page = 1, .min = 0, .max = 10}, {Move::Up, 1, 0}},
    };
    for (const Case& c : cases) {
        const auto move = scrollMove(c.action, c.answer, c.state);
        ASSERT_TRUE(move) << c.action;
        EXPECT_EQ(*move, c.expected) << "action " << c.action << " answer " << c.answer.value_or(-1);
    }
    for (int other : {6, 7, 8, -1}) EXPECT_FALSE(scrollMove(other, {}, bar)) << other;
}

}  // namespace
}  // namespace vorpex::sbar
