// The scrolling container's arithmetic: virtual size from children by alignment and anchors, the origin
// pulled back when the content shrinks, scroll targets with event answers and clamping, and the wheel rule.
#include <gtest/gtest.h>

#include "framework/core/scrolling/scroll_math.h"

namespace vorpex::scroll {
namespace {

TEST(VirtualSizeTest, ChildrenGrowItByTheirAlignmentAndAnchors) {
    struct Case {
        const char* what;
        ChildBox child;
        VirtualSize after;
    };
    const VirtualSize start{100, 100, 0, 0};
    const Case cases[] = {
        {"free child", {0, 3, 50, 120, 80, 30}, {130, 150, 0, 0}},
        {"anchored to the bottom", {0, 3 | 8, 50, 120, 80, 30}, {130, 100, 0, 0}},
        {"anchored to the right", {0, 3 | 4, 50, 120, 80, 30}, {100, 150, 0, 0}},
        {"top aligned", {2, 3, 0, 90, 300, 40}, {100, 130, 0, 0}},
        {"left aligned", {1, 3, 90, 0, 40, 300}, {130, 100, 0, 0}},
        {"bottom aligned", {4, 3, 0, 0, 300, 25}, {100, 125, 0, 25}},
        {"right aligned", {3, 3, 0, 0, 15, 300}, {115, 100, 15, 0}},
        {"client aligned", {5, 3, 0, 0, 900, 900}, {100, 100, 0, 0}},
    };
    for (const Case& c : cases) {
        VirtualSize v = start;
        processControl(v, c.child);
        EXPECT_EQ(v, c.after) << c.what;
    }
}

TEST(VirtualSizeTest, ABottomAlignedChildLeavesRoomBelowFreeChildren) {
    VirtualSize v;
    processControl(v, {4, 3, 0, 0, 200, 20});   // status line
    processControl(v, {0, 3, 10, 100, 50, 30});  // free child ends at 130, plus the 20 below
    EXPECT_EQ(v.height, 150);
    EXPECT_EQ(v.extraHeight, 20);
}

TEST(AdjustTest, TheOriginComesBackToTheLastFullPageAndNeverAboveZero) {
    struct Case {
        AxisState in;
        int64_t origin;
        bool moved;
        bool needed;
    };
    const Case cases[] = {
        {{0, 300, 100}, 0, false, true},       // fits from the top
        {{-200, 300, 100}, -200, false, true},  // scrolled to the end, still full
        {{-200, 250, 100}, -150, true, true},   // content shrank: back to the last full page
        {{-200, 80, 100}, 0, true, false},      // content smaller than the view
        {{0, 100, 100}, 0, false, false},
    };
    for (const Case& c : cases) {
        AxisAdjust a = adjustAxis(c.in);
        EXPECT_EQ(a.origin, c.origin) << c.in.origin << "/" << c.in.virtualExtent;
        EXPECT_EQ(a.moved, c.moved) << c.in.origin << "/" << c.in.virtualExtent;
        EXPECT_EQ(a.needed, c.needed);
        EXPECT_EQ(a.position, -a.origin);
        EXPECT_EQ(a.rangeMax, c.in.virtualExtent - 1);
        EXPECT_EQ(a.page, c.in.clientExtent);
    }
}

TEST(ScrollTargetTest, EventAnswersStepsAndClamping) {
    const BarState bar{100, 100, 0, 299, 170};  // virtual 300, client 100, at 100
    struct Case {
        int code;
        std::optional<int64_t> answer;
        std::optional<int64_t> target;
    };
    const Case cases[] = {
        {kLineDown, std::nullopt, 108}, {kLineDown, 40, 40},        {kLineDown, 400, 200},
        {kLineUp, std::nullopt, 92},    {kLineUp, -5, 0},           {kPageDown, std::nullopt, 200},
        {kPageUp, std::nullopt, 0},     {kThumbTrack, std::nullopt, 170}, {kThumbPosition, 150, 150},
        {6, std::nullopt, std::nullopt}, {8, 40, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(scrollTarget(c.code, c.answer, bar, 8), c.target) << c.code;
    EXPECT_EQ(scrollEventArgument(kLineDown, bar), 100);
    EXPECT_EQ(scrollEventArgument(kThumbTrack, bar), 170);
    // A bar without a page stops at its maximum.
    EXPECT_EQ(scrollTarget(kLineDown, 999, BarState{0, 0, 0, 50, 0}, 8), 50);
}

TEST(WheelTest, OneLinePerTurnOnTheAxisThatCanScroll) {
    struct Case {
        int delta;
        bool shift, vertical, horizontal;
        WheelStep step;
    };
    const Case cases[] = {
        {-120, false, true, false, {WheelAxis::Vertical, 1}},
        {-480, false, true, true, {WheelAxis::Vertical, 1}},
        {120, false, true, true, {WheelAxis::Vertical, 0}},
        {-120, true, true, true, {WheelAxis::Horizontal, 1}},
        {120, false, false, true, {WheelAxis::Horizontal, 0}},
        {-120, true, true, false, {}},  // Shift with only a vertical bar does nothing
        {-120, false, false, false, {}},
        {0, false, true, true, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wheelStep(c.delta, c.shift, c.vertical, c.horizontal), c.step) << c.delta << c.shift;
}

}  // namespace
}  // namespace vorpex::scroll
