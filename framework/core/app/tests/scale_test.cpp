#include <gtest/gtest.h>

#include <climits>

#include "framework/core/app/loop_rules.h"
#include "framework/core/app/scale.h"

namespace vorpex {
namespace {

TEST(MulDiv, RoundsHalfAwayFromZeroLikeWindows) {
    struct Case {
        int a, b, c, result;
    } cases[] = {
        {120, 100, 96, 125}, {144, 100, 96, 150}, {125, 96, 120, 100}, {1, 1, 2, 1},    {3, 1, 2, 2},
        {-1, 1, 2, -1},      {-3, 1, 2, -2},      {7, -1, 2, -4},      {5, 1, 3, 2},    {4, 1, 3, 1},
        {5, 1, 0, -1},       {INT_MAX, 2, 1, -1}, {INT_MAX, 2, 2, INT_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(mulDiv(c.a, c.b, c.c), c.result) << c.a << "*" << c.b << "/" << c.c;
}

TEST(SetScale, GivenScaleAutoScaleAndFontScale) {
    struct Case {
        rt::Value scale, autoScale;
        int ppi;
        rt::Value answer;
        int expectScale, expectFontScale;
    } cases[] = {
        {rt::Value(), rt::Value(), 120, rt::Value(100), 100, 100},           // nothing given: as it was
        {rt::Value(150), rt::Value(), 96, rt::Value(150), 150, 150},         // a scale, no auto-scaling
        {rt::Value(), rt::Value(true), 120, rt::Value(true), 125, 100},      // auto: 120 ppi is 125 %
        {rt::Value(), rt::Value(true), 144, rt::Value(true), 150, 100},
        {rt::Value(110), rt::Value(true), 120, rt::Value(true), 110, 88},    // given scale wins; font 110*96/120
        {rt::Value(), rt::Value(true), 0, rt::Value(true), 100, 100},        // no screen: 96 ppi
    };
    for (const Case& c : cases) {
        ScaleState s;
        rt::Value answer = setScale(s, c.scale, c.autoScale, c.ppi);
        EXPECT_TRUE(answer.sameAs(c.answer)) << c.ppi;
        EXPECT_EQ(s.scale, c.expectScale) << c.ppi;
        EXPECT_EQ(s.fontScale, c.expectFontScale) << c.ppi;
    }
    ScaleState s;
    setScale(s, rt::Value(), rt::Value(true), 120);
    setScale(s, rt::Value(), rt::Value(false), 120);  // switching auto-scaling off keeps the scale
    EXPECT_EQ(s.scale, 125);
    EXPECT_EQ(s.fontScale, 125);
}

TEST(LoopRules, ModalLoopLeavesWhenItsFormIsHiddenUnlessTheProgramIsMinimised) {
    struct Case {
        bool visible, iconic, haveMain, mainIconic;
        ModalStep step;
    } cases[] = {
        {true, false, true, false, ModalStep::Continue},   {false, true, true, false, ModalStep::Continue},
        {false, false, true, false, ModalStep::Leave},     {false, false, true, true, ModalStep::AwaitRestore},
        {false, false, false, false, ModalStep::Leave},    {true, false, true, true, ModalStep::Continue},
    };
    for (const Case& c : cases)
        EXPECT_EQ(modalStep(c.visible, c.iconic, c.haveMain, c.mainIconic), c.step)
            << c.visible << c.iconic << c.haveMain << c.mainIconic;
}

TEST(LoopRules, InputIsDroppedWhileWaitingForRestoreButPaintAndPostedWorkAreNot) {
    for (unsigned m : {0x0100u, 0x0102u, 0x0104u, 0x0200u, 0x0201u, 0x020Au, 0x00A1u}) EXPECT_TRUE(isUserInput(m)) << m;
    for (unsigned m : {0x000Fu, 0x0012u, 0x0112u, 0x0401u, 0x0113u, 0x0085u}) EXPECT_FALSE(isUserInput(m)) << m;
    EXPECT_EQ(fetchOutcome(-1), Fetch::Error);
    EXPECT_EQ(fetchOutcome(0), Fetch::Quit);
    EXPECT_EQ(fetchOutcome(1), Fetch::Message);
    EXPECT_DOUBLE_EQ(compactingPercent(32768), 50.0);
}

}  // namespace
}  // namespace vorpex
