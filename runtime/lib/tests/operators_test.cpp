#include <gtest/gtest.h>

#include "runtime/lib/arithmetic.h"
#include "runtime/lib/compare.h"
#include "runtime/lib/date.h"
#include "runtime/lib/lib_error.h"
#include "runtime/lib/number.h"
#include "tests/support/recording_handler.h"
#include "tests/support/settings_guard.h"

namespace rt {
namespace {

using testing::RecordingHandler;
using testing::SettingsGuard;

struct CompareCase {
    Value a;
    CompareOp op;
    Value b;
    bool expected;
};

void expectAll(const std::vector<CompareCase>& cases) {
    for (const CompareCase& c : cases) {
        Value r = compareOp(c.op, c.a, c.b);
        ASSERT_TRUE(r.isLogical());
        EXPECT_EQ(r.asLogical(), c.expected) << "'" << c.a.asString() << "' " << operatorText(c.op) << " '"
                                             << c.b.asString() << "'";
    }
}

TEST(Compare, StringsWithExactOff) {
    SettingsGuard guard;
    settings().exact = false;
    expectAll({
        {"ABC", CompareOp::Equal, "AB", true},       {"AB", CompareOp::Equal, "ABC", false},
        {"ABC", CompareOp::Equal, "", true},         {"", CompareOp::Equal, "A", false},
        {"ABC", CompareOp::NotEqual, "AB", false},   {"AB", CompareOp::ExactEqual, "AB ", false},
        {"ABC", CompareOp::ExactEqual, "AB", false}, {"AB", CompareOp::ExactEqual, "AB", true},
        {"ABD", CompareOp::Greater, "ABC", true},    {"AB", CompareOp::Less, "ABC", true},
        {"ABCD", CompareOp::GreaterEqual, "ABC", true}, {"ABCD", CompareOp::Greater, "ABC", false},
        {"\xE9", CompareOp::Greater, "z", true},  // bytes compare unsigned
    });
}

TEST(Compare, StringsWithExactOn) {
    SettingsGuard guard;
    settings().exact = true;
    expectAll({
        {"AB", CompareOp::Equal, "AB  ", true}, {"ABC", CompareOp::Equal, "AB", false},
        {"AB ", CompareOp::ExactEqual, "AB", false}, {"ABC", CompareOp::Greater, "AB", true},
        {"ABC", CompareOp::NotEqual, "AB", true},
    });
}

TEST(Compare, OtherTypesAndNil) {
    Value arr = Value::array({1});
    expectAll({
        {1, CompareOp::Equal, 1.0, true},
        {2, CompareOp::Greater, 1.5, true},
        {Value(makeDate(2024, 1, 2)), CompareOp::Greater, Value(makeDate(2024, 1, 1)), true},
        {Value(Date{}), CompareOp::Less, Value(makeDate(1900, 1, 1)), true},
        {false, CompareOp::Less, true, true},
        {true, CompareOp::Equal, true, true},
        {Value(), CompareOp::Equal, Value(), true},
        {Value(), CompareOp::Equal, 1, false},
        {"x", CompareOp::NotEqual, Value(), true},
        {arr, CompareOp::ExactEqual, arr, true},
        {arr, CompareOp::ExactEqual, Value::array({1}), false},
    });
    EXPECT_EQ(compareValues(INT64_MAX, INT64_MAX - 1, false), 1);  // exact, not through doubles
}

TEST(Compare, TypeMismatchRaisesPerOperator) {
    RecordingHandler handler;
    EXPECT_FALSE(compareOp(CompareOp::Equal, 1, "1").asLogical());
    EXPECT_FALSE(compareOp(CompareOp::Less, 1, Value()).asLogical());
    ASSERT_EQ(handler.seen.size(), 2u);
    EXPECT_EQ(handler.seen[0].genCode, eg::Arg);
    EXPECT_EQ(handler.seen[0].subSystem, "BASE");
    EXPECT_EQ(handler.seen[0].subCode, 1071);
    EXPECT_EQ(handler.seen[0].operation, "=");
    EXPECT_TRUE(handler.seen[0].canDefault);
    EXPECT_EQ(handler.seen[0].args.asArray()->size(), 2u);
    EXPECT_EQ(handler.seen[1].subCode, 1073);

    RecordingHandler substitute(ErrorAction::Default, true);
    EXPECT_TRUE(compareOp(CompareOp::Greater, "a", 1).asLogical());
    // Sorting code gets a consistent order when the handler lets it continue.
    EXPECT_EQ(compareValues("a", 1, false), -compareValues(1, "a", false));
}

TEST(Compare, ContainedIn) {
    EXPECT_TRUE(containedIn("T", "ATE").asLogical());
    EXPECT_FALSE(containedIn("t", "ATE").asLogical());
    EXPECT_FALSE(containedIn("", "ATE").asLogical());
    RecordingHandler handler;
    EXPECT_FALSE(containedIn(1, "1").asLogical());
    ASSERT_EQ(handler.seen.size(), 1u);
    EXPECT_EQ(handler.seen[0].subCode, 1109);
}

TEST(Arithmetic, NumbersKeepIntegersAndDecimals) {
    Value three = arithmetic(ArithOp::Add, 1, 2);
    EXPECT_TRUE(three.asNumber().isInteger);
    EXPECT_EQ(three.asInteger(), 3);
    Value big = arithmetic(ArithOp::Add, INT64_MAX, 1);
    EXPECT_FALSE(big.asNumber().isInteger);  // overflow moves to a real, never wraps
    EXPECT_GT(big.asDouble(), 9e18);
    Value product = arithmetic(ArithOp::Multiply, Value(realNumber(1.25, 2)), Value(realNumber(2.5, 1)));
    EXPECT_DOUBLE_EQ(product.asDouble(), 3.125);
    EXPECT_EQ(product.asNumber().decimals, 3);
    Value sum = arithmetic(ArithOp::Add, Value(realNumber(1.5, 1)), 1);
    EXPECT_EQ(sum.asNumber().decimals, 1);
    EXPECT_DOUBLE_EQ(arithmetic(ArithOp::Divide, 10, 4).asDouble(), 2.5);
    EXPECT_EQ(arithmetic(ArithOp::Modulo, -7, 3).asInteger(), -1);
    EXPECT_EQ(modFunction(-7, 3).asInteger(), 2);
    EXPECT_EQ(modFunction(7, -3).asInteger(), -2);
    EXPECT_DOUBLE_EQ(arithmetic(ArithOp::Power, 2, 10).asDouble(), 1024);
    EXPECT_EQ(negate(5).asInteger(), -5);
    EXPECT_DOUBLE_EQ(negate(INT64_MIN).asDouble(), 9223372036854775808.0);
}

TEST(Arithmetic, StringsAndDates) {
    EXPECT_EQ(arithmetic(ArithOp::Add, "ab", "cd").asString(), "abcd");
    EXPECT_EQ(arithmetic(ArithOp::Subtract, "ab  ", "cd").asString(), "abcd  ");
    Date d = makeDate(2024, 2, 28);
    EXPECT_EQ(arithmetic(ArithOp::Add, Value(d), 2).asDate(), makeDate(2024, 3, 1));
    EXPECT_EQ(arithmetic(ArithOp::Add, 1, Value(d)).asDate(), makeDate(2024, 2, 29));
    EXPECT_EQ(arithmetic(ArithOp::Subtract, Value(d), 28).asDate(), makeDate(2024, 1, 31));
    EXPECT_EQ(arithmetic(ArithOp::Subtract, Value(makeDate(2024, 3, 1)), Value(d)).asInteger(), 2);
    EXPECT_TRUE(arithmetic(ArithOp::Add, Value(Date{}), 5).asDate().empty());
    EXPECT_TRUE(arithmetic(ArithOp::Add, Value(d), 1e12).asDate().empty());  // beyond the calendar
}

TEST(Arithmetic, ErrorsCarryCodesAndSubstitutes) {
    RecordingHandler handler;
    EXPECT_EQ(arithmetic(ArithOp::Divide, 1, 0).asInteger(), 0);
    EXPECT_EQ(arithmetic(ArithOp::Modulo, 1, 0).asInteger(), 0);
    EXPECT_TRUE(arithmetic(ArithOp::Multiply, "a", 2).isNil());
    EXPECT_TRUE(arithmetic(ArithOp::Add, Value(makeDate(2024, 1, 1)), Value(makeDate(2024, 1, 1))).isNil());
    EXPECT_TRUE(negate("x").isNil());
    ASSERT_EQ(handler.seen.size(), 5u);
    EXPECT_EQ(handler.seen[0].genCode, eg::ZeroDiv);
    EXPECT_EQ(handler.seen[0].subCode, 1340);
    EXPECT_TRUE(handler.seen[0].canDefault);
    EXPECT_TRUE(handler.seen[0].canSubstitute);
    EXPECT_EQ(handler.seen[0].operation, "/");
    EXPECT_EQ(handler.seen[1].subCode, 1341);
    EXPECT_EQ(handler.seen[2].genCode, eg::Arg);
    EXPECT_EQ(handler.seen[2].subCode, 1083);
    EXPECT_EQ(handler.seen[3].subCode, 1081);
    EXPECT_EQ(handler.seen[4].subCode, 1080);

    RecordingHandler substitute(ErrorAction::Default, 99);
    EXPECT_EQ(arithmetic(ArithOp::Divide, 1, 0).asInteger(), 99);
}

TEST(Arithmetic, JoiningBeyondTheLimitIsAnError) {
    RecordingHandler handler;
    std::string half(kMaxStringLength / 2 + 1, 'x');
    Value joined = arithmetic(ArithOp::Add, half, half);
    EXPECT_EQ(joined.asString(), "");
    ASSERT_EQ(handler.seen.size(), 1u);
    EXPECT_EQ(handler.seen[0].genCode, eg::StrOverflow);
    EXPECT_EQ(arithmetic(ArithOp::Subtract, half, half).asString(), "");
}

TEST(Arithmetic, BreakPropagates) {
    RecordingHandler handler(ErrorAction::Break);
    EXPECT_THROW(arithmetic(ArithOp::Divide, 1, 0), Break);
}

}  // namespace
}  // namespace rt
