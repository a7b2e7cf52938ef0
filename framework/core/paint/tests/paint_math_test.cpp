// The painting frame's decisions: reading OnPaint's answer, the border table, text placement.
#include <gtest/gtest.h>

#include "framework/core/paint/paint_math.h"
#include "runtime/core/block.h"

namespace vorpex::paint {
namespace {

TEST(PaintMath, OnPaintAnswerDecidesTheDefaultDrawing) {
    struct Case {
        rt::Value answer;
        bool runs;
    } cases[] = {
        {rt::Value(), true},         {rt::Value(5), true},
        {rt::Value(true), true},     {rt::Value(2.9), true},
        {rt::Value("a"), true},      {rt::Value(rt::Date{2455000}), true},
        {rt::Value(0), false},       {rt::Value(false), false},
        {rt::Value(0.4), false},     {rt::Value("ab"), false},
        {rt::Value(""), false},      {rt::Value::array(), false},
        {rt::Value(rt::Date{}), false},
    };
    for (const Case& c : cases) EXPECT_EQ(paintDefault(c.answer), c.runs) << c.answer.typeCode();
    EXPECT_EQ(numericReading(rt::Value(-3.7)), -3);
    EXPECT_EQ(numericReading(rt::Value("\xE9")), 0xE9);  // a character code, never negative
}

TEST(PaintMath, BorderTableGivesEdgeAndWidth) {
    struct Case {
        int64_t style;
        BorderSpec expected;
    } cases[] = {
        {1, {kBdrRaisedOuter, kBfRect, 1}},          {2, {kBdrSunkenOuter, kBfRect, 1}},
        {3, {kEdgeRaised, kBfRect, 2}},              {4, {kEdgeSunken, kBfRect, 2}},
        {5, {kEdgeBump, kBfRect, 2}},                {6, {kEdgeEtched, kBfRect, 2}},
        {7, {kBdrRaisedOuter, kBfRect | kBfFlat, 1}}, {0, {0, 0, 0}}, {42, {0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(borderFor(c.style, false, false), c.expected) << c.style;
    EXPECT_EQ(borderFor(0, true, true).width, 1);
    EXPECT_EQ(borderFor(0, false, true).width, 2);
    for (int64_t s : {1, 2, 7}) EXPECT_EQ(ncShrink(s), 1);
    for (int64_t s : {3, 4, 5, 6}) EXPECT_EQ(ncShrink(s), 2);
    for (int64_t s : {0, 8, -1}) EXPECT_EQ(ncShrink(s), 0);
}

TEST(PaintMath, TextMovesDownOnlyIntoFreeSpace) {
    EXPECT_EQ(textTop(0, 99, 19, 2), 80);
    EXPECT_EQ(textTop(0, 99, 18, 1), 40);  // 81 >> 1
    EXPECT_EQ(textTop(0, 99, 19, 0), 0);
    EXPECT_EQ(textTop(0, 10, 40, 2), 0);  // taller than the rectangle: stays
    EXPECT_EQ(horizontalFormat(2), 0x2u);
    EXPECT_EQ(horizontalFormat(6), 0x1u);
    EXPECT_EQ(horizontalFormat(0), 0u);
}

}  // namespace
}  // namespace vorpex::paint
