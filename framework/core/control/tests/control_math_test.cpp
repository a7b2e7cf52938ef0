// The arithmetic of controls: scaling, anchors, container layout, style bits, mouse words, keys, commands.
#include <gtest/gtest.h>

#include "framework/core/control/control_math.h"

namespace vorpex::ctl {
namespace {

TEST(ControlScale, MulDivRoundsHalfAwayFromZeroAndKeepsUseDefault) {
    EXPECT_EQ(scaleBounds({10, 10, 100, 20}, 125), (Bounds{13, 13, 125, 25}));  // 12.5 -> 13
    EXPECT_EQ(scaleBounds({-10, 3, 7, 1}, 150), (Bounds{-15, 5, 11, 2}));     // -15, 4.5 -> 5, 10.5 -> 11
    EXPECT_EQ(scaleBounds({10, 10, 100, 20}, 100), (Bounds{10, 10, 100, 20}));
    for (int64_t useDefault : {int64_t{0x80000000LL}, int64_t{INT32_MIN}})
        EXPECT_EQ(scaleValue(useDefault, 125), useDefault);
}

TEST(ControlAnchors, MarginsAreSignedAndTheLayoutFollowsTheAnchors) {
    EXPECT_EQ(anchorMargins(10, 100, 300), (Margins{10, 189}));
    // A parent that still measures 0, or a child sticking out: negative, not ~65,535.
    EXPECT_EQ(anchorMargins(10, 100, 0), (Margins{10, -111}));
    const Margins m{10, 189};
    struct Case {
        int64_t extent;
        bool nearAnchor, farAnchor;
        Span expected;
    } cases[] = {
        {400, true, true, {10, 200}},   // stretched: both margins kept
        {400, false, true, {110, 100}},  // the far margin kept
        {400, false, false, {60, 100}},  // centred in the free space
        {299, false, false, {9, 100}},   // (-1) >> 1 is -1: rounds down
        {400, true, false, {10, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extent);
        EXPECT_EQ(anchoredSpan(m, c.extent, 100, c.nearAnchor, c.farAnchor), c.expected);
    }
    // A negative far margin works the same way instead of throwing the child out of sight.
    EXPECT_EQ(anchoredSpan({10, -111}, 300, 100, false, true), (Span{310, 100}));
}

LayoutChild aligned(int align, Bounds stored) {
    LayoutChild c;
    c.align = align;
    c.stored = stored;
    return c;
}

TEST(ControlLayout, AlignedChildrenShareTheClientAreaInCreationOrder) {
    std::vector<LayoutChild> kids = {aligned(alTOP, {0, 0, 50, 20}), aligned(alTOP, {0, 0, 50, 30}),
                                     aligned(alCLIENT, {0, 0, 5, 5}), aligned(alLEFT, {0, 0, 10, 40})};
    auto steps = alignControls({0, 0, 200, 100}, false, kids);
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].next, (Bounds{0, 0, 200, 20}));
    EXPECT_EQ(steps[1].next, (Bounds{0, 20, 200, 30}));
    EXPECT_EQ(steps[2].next, (Bounds{0, 50, 200, 50}));
    EXPECT_EQ(steps[3].next, (Bounds{-1, -1, 10, 0}));  // nothing left after the client child
    EXPECT_EQ(steps[0].flags, kSizeOnly);
    EXPECT_EQ(steps[1].flags, kMoveAndSize);
}

TEST(ControlLayout, RightAndBottomTakeFromTheFarSideAndHiddenChildrenTakeNothing) {
    std::vector<LayoutChild> kids = {aligned(alRIGHT, {0, 0, 30, 5}), aligned(alBOTTOM, {0, 0, 5, 10}),
                                     aligned(alLEFT, {0, 0, 20, 5}), aligned(alTOP, {0, 0, 5, 7})};
    kids[3].visible = false;
    auto steps = alignControls({0, 0, 200, 100}, false, kids);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].next, (Bounds{170, 0, 30, 100}));
    EXPECT_EQ(steps[1].next, (Bounds{0, 90, 170, 10}));
    EXPECT_EQ(steps[2].next, (Bounds{0, 0, 20, 90}));
}

TEST(ControlLayout, DefaultAnchoredChildrenRealignOrMoveByTheOriginAndUnchangedOnesAreLeftAlone) {
    LayoutChild plain = aligned(alNONE, {5, 6, 7, 8});
    plain.window = {5, 6, 7, 8};
    LayoutChild anchored = aligned(alNONE, {10, 10, 100, 20});
    anchored.anchors = kAnchorLeft | kAnchorRight | kAnchorTop;
    anchored.x = {10, 189};
    anchored.y = {10, 69};
    anchored.window = {10, 10, 100, 20};
    std::vector<LayoutChild> kids = {plain, anchored};

    auto unchanged = alignControls({0, 0, 300, 100}, false, kids);
    ASSERT_EQ(unchanged.size(), 1u);  // the anchored child is where it belongs
    EXPECT_EQ(unchanged[0].action, LayoutAction::Realign);

    auto wider = alignControls({0, 0, 400, 100}, false, kids);
    ASSERT_EQ(wider.size(), 2u);
    EXPECT_EQ(wider[1].next, (Bounds{10, 10, 200, 20}));
    EXPECT_EQ(wider[1].flags, kSizeOnly);

    auto offset = alignControls({-3, -4, 397, 96}, true, kids);
    EXPECT_EQ(offset[0].action, LayoutAction::OffsetMove);
    EXPECT_EQ(offset[0].next, (Bounds{2, 2, 7, 8}));
    EXPECT_EQ(offset[0].flags, kOffsetMove);
}

TEST(ControlStyles, BorderAnd3DEdgeAndBitHelpers) {
    EXPECT_EQ(borderStyles({0, 0}, true, true), (StylePair{0, kWsExClientEdge}));
    EXPECT_EQ(borderStyles({0, kWsExClientEdge}, true, false), (StylePair{kWsBorder, 0}));
    EXPECT_EQ(borderStyles({kWsBorder, kWsExClientEdge}, false, true), (StylePair{0, 0}));
    EXPECT_EQ(changeBits(0x46000000, 0x10000000, true), 0x56000000);
    EXPECT_EQ(changeBits(0x56000000, 0x10000000, false), 0x46000000);
    EXPECT_EQ(replaceBits(0x00F0, 0x00F0, 0x0003), 0x0003);
    EXPECT_TRUE(hasAnyBit(0x0101, 0x0100));
    EXPECT_FALSE(hasAnyBit(0x0101, 0x0010));
}

TEST(ControlInput, MouseWordsAreSignedAndTheDragRectangleExcludesItsFarEdges) {
    const int64_t lParam = (0xFFFELL << 16) | 0xFFFBLL;  // (-5, -2) as a captured mouse reports it
    EXPECT_EQ(mouseX(lParam), -5);
    EXPECT_EQ(mouseY(lParam), -2);
    EXPECT_EQ(mouseX((20LL << 16) | 300), 300);
    DragRect r = DragRect::around(100, 50, 4, 4);
    EXPECT_TRUE(r.contains(96, 46));
    EXPECT_TRUE(r.contains(103, 53));
    EXPECT_FALSE(r.contains(104, 50));
    EXPECT_FALSE(r.contains(100, 45));
}

TEST(ControlInput, ArrowAndTabDecisionsFollowTheDialogCode) {
    struct Case {
        int64_t key, code;
        FocusMove expected;
    } arrows[] = {{40, 0, FocusMove::Next},      {39, 0, FocusMove::Next},  {38, 0, FocusMove::Previous},
                  {37, 0, FocusMove::Previous},  {39, 1, FocusMove::None},  {39, 2, FocusMove::None},
                  {39, 4, FocusMove::None},      {13, 0, FocusMove::None},  {40, 0x80, FocusMove::Next}};
    for (const Case& c : arrows) EXPECT_EQ(arrowMove(c.key, c.code), c.expected) << c.key << " " << c.code;
    EXPECT_EQ(tabMove(0, false), FocusMove::Next);
    EXPECT_EQ(tabMove(0, true), FocusMove::Previous);
    EXPECT_EQ(tabMove(1, false), FocusMove::Next);  // wanting arrows says nothing about Tab
    EXPECT_EQ(tabMove(2, false), FocusMove::None);
    EXPECT_EQ(tabMove(4, true), FocusMove::None);
}

TEST(ControlCommand, RouteByCodeAndSender) {
    EXPECT_EQ(commandRoute(0, 0, 77), CommandRoute::Menu);
    EXPECT_EQ(commandRoute(1, 0, 77), CommandRoute::Accelerator);
    EXPECT_EQ(commandRoute(5, 0, 77), CommandRoute::None);
    EXPECT_EQ(commandRoute(0, 88, 77), CommandRoute::Child);
    EXPECT_EQ(commandRoute(0, 77, 77), CommandRoute::None);
}

}  // namespace
}  // namespace vorpex::ctl
