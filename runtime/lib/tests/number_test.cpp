#include <gtest/gtest.h>

#include <cmath>

#include "runtime/lib/number.h"
#include "tests/support/settings_guard.h"

namespace rt {
namespace {

using testing::SettingsGuard;

Number real(double x, int decimals = -1, int width = -1) {
    Number n = realNumber(x, decimals);
    n.width = static_cast<int16_t>(width);
    return n;
}

TEST(Str, WidthDecimalsRoundingAndOverflow) {
    struct Case {
        double x;
        int width, decimals;
        const char* shown;
    } cases[] = {
        {123.456, 10, 2, "    123.46"}, {-1.25, 6, 1, "  -1.3"}, {1.25, 6, 1, "   1.3"},
        {1.005, 6, 2, "  1.01"},        {2.5, 3, 0, "  3"},      {-2.5, 3, 0, " -3"},
        {12345, 3, 0, "***"},           {-100, 3, 0, "***"},     {-0.001, 5, 2, " 0.00"},
        {3.7, 5, 0, "    4"},           {0.5, 0, 0, "         1"}, {1e300, 10, 0, "**********"},
        {NAN, 4, 0, "****"},            {7, 4, 1, " 7.0"},       {7, 3, 2, "7.0"},
    };
    for (const Case& c : cases) EXPECT_EQ(str(c.x, c.width, c.decimals), c.shown) << c.x << " " << c.width;
}

TEST(Str, DefaultWidths) {
    SettingsGuard guard;
    settings().decimals = 2;
    EXPECT_EQ(str(integerNumber(123)), "       123");
    EXPECT_EQ(str(integerNumber(-5)), "        -5");
    EXPECT_EQ(str(integerNumber(12345678901LL)), "         12345678901");
    EXPECT_EQ(str(integerNumber(INT64_MIN)), "-9223372036854775808");
    EXPECT_EQ(str(real(10.0 / 3)), "         3.33");  // 10 integer positions, point, SET DECIMALS
    EXPECT_EQ(str(real(1.5, 1)), "         1.5");
    EXPECT_EQ(str(real(123.4, 2, 8)), "  123.40");  // a field N(8,2) keeps its width
    EXPECT_EQ(str(integerNumber(42), 5), "   42");
    EXPECT_EQ(str(real(42.75, 2), 5), "   43");  // Str(n, w): no decimals
}

TEST(Str, IntegersStayExact) {
    Number big = integerNumber(9007199254740993LL);  // not representable as a double
    EXPECT_EQ(str(big, 20), "    9007199254740993");
}

TEST(Round, HalfAwayFromZero) {
    struct Case {
        double x;
        int decimals;
        double expected;
    } cases[] = {
        {2.5, 0, 3}, {-2.5, 0, -3}, {1.005, 2, 1.01}, {1234.5, -2, 1200}, {1250, -2, 1300}, {-0.004, 2, 0},
        {0.285, 2, 0.29},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(roundHalfAway(c.x, c.decimals), c.expected) << c.x;
    EXPECT_FALSE(std::signbit(roundHalfAway(-0.004, 2)));
}

TEST(Val, ReadsLeadingNumber) {
    struct Case {
        const char* text;
        double value;
        bool integer;
        int decimals;
    } cases[] = {
        {"12.50", 12.5, false, 2}, {"  -7", -7, true, 0}, {"abc", 0, true, 0}, {"1.2.3", 1.2, false, 1},
        {"", 0, true, 0},          {"+5x", 5, true, 0},   {".5", 0.5, false, 1}, {"-", 0, true, 0},
        {"123456789012345678901234", 1.2345678901234568e23, false, 0},
    };
    for (const Case& c : cases) {
        Number n = val(c.text);
        EXPECT_DOUBLE_EQ(n.asDouble(), c.value) << c.text;
        EXPECT_EQ(n.isInteger, c.integer) << c.text;
        EXPECT_EQ(effectiveDecimals(n), c.decimals) << c.text;
    }
}

}  // namespace
}  // namespace rt
