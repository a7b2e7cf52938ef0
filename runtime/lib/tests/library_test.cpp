#include <gtest/gtest.h>

#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/lib/date.h"
#include "runtime/lib/display.h"
#include "runtime/lib/library.h"
#include "runtime/lib/number.h"
#include "tests/support/function_call.h"
#include "tests/support/recording_handler.h"
#include "tests/support/settings_guard.h"

namespace rt {
namespace {

using testing::call;
using testing::RecordingHandler;
using testing::SettingsGuard;

class Library : public ::testing::Test {
protected:
    void SetUp() override {
        registerLibraryFunctions();
        registerLibraryFunctions();  // registering twice must be harmless
    }
};

TEST_F(Library, CallsByNameAnyCase) {
    EXPECT_EQ(call("str", {42}).asString(), "        42");
    EXPECT_EQ(call("Str", {3.14159, 6, 2}).asString(), "  3.14");
    EXPECT_EQ(call("STR", {3.7, 3}).asString(), "  4");
    EXPECT_EQ(call("SubStr", {"hello", 2}).asString(), "ello");
    EXPECT_EQ(call("SUBSTR", {"hello", 2, 2}).asString(), "el");
    EXPECT_EQ(call("padl", {42, 5, "0"}).asString(), "00042");
    EXPECT_EQ(call("PADR", {true, 3}).asString(), "T  ");
    EXPECT_EQ(call("StrTran", {"a-b-c", "-"}).asString(), "abc");
    EXPECT_EQ(call("LEN", {Value::array({1, 2, 3})}).asInteger(), 3);
    EXPECT_EQ(call("LEN", {"abc"}).asInteger(), 3);
    EXPECT_EQ(call("VAL", {"12.5"}).asDouble(), 12.5);
    EXPECT_EQ(call("CHR", {65}).asString(), "A");
    EXPECT_EQ(call("ASC", {"\xF1"}).asInteger(), 241);
    EXPECT_EQ(call("ASC", {""}).asInteger(), 0);
    EXPECT_EQ(call("VALTYPE", {Value(makeDate(2024, 1, 1))}).asString(), "D");
    EXPECT_EQ(call("VALTYPE", {}).asString(), "U");
    EXPECT_EQ(call("IIF", {false, 1, 2}).asInteger(), 2);
    EXPECT_EQ(call("TRANSFORM", {1234.5, "@E 9,999.99"}).asString(), "1.234,50");
}

TEST_F(Library, NumberFunctions) {
    Value r = call("ROUND", {2.345, 2});
    EXPECT_DOUBLE_EQ(r.asDouble(), 2.35);
    EXPECT_EQ(str(r.asNumber()), "         2.35");
    EXPECT_EQ(call("INT", {-3.7}).asInteger(), -3);
    EXPECT_TRUE(call("INT", {-3.7}).asNumber().isInteger);
    EXPECT_EQ(call("ABS", {-4}).asInteger(), 4);
    EXPECT_EQ(call("MAX", {3, 7}).asInteger(), 7);
    EXPECT_EQ(call("MIN", {Value(makeDate(2024, 1, 2)), Value(makeDate(2024, 1, 1))}).asDate(), makeDate(2024, 1, 1));
    EXPECT_EQ(call("MOD", {-7, 3}).asInteger(), 2);
}

TEST_F(Library, DateFunctions) {
    SettingsGuard guard;
    settings().dateFormat = "dd/mm/yyyy";
    settings().century = true;
    Value d(makeDate(2024, 3, 7));
    EXPECT_EQ(call("DTOS", {d}).asString(), "20240307");
    EXPECT_EQ(call("DTOC", {d}).asString(), "07/03/2024");
    EXPECT_EQ(call("CTOD", {"07/03/2024"}).asDate(), d.asDate());
    EXPECT_EQ(call("STOD", {"20240307"}).asDate(), d.asDate());
    EXPECT_TRUE(call("STOD", {}).asDate().empty());
    EXPECT_EQ(call("YEAR", {d}).asInteger(), 2024);
    EXPECT_EQ(call("MONTH", {d}).asInteger(), 3);
    EXPECT_EQ(call("DAY", {d}).asInteger(), 7);
    EXPECT_EQ(call("DOW", {d}).asInteger(), 5);
    EXPECT_EQ(call("CMONTH", {d}).asString(), "March");
    EXPECT_EQ(call("CDOW", {d}).asString(), "Thursday");
    EXPECT_TRUE(call("DATE", {}).isDate());
    EXPECT_EQ(call("TIME", {}).asString().size(), 8u);
    EXPECT_TRUE(call("SECONDS", {}).isNumber());
}

TEST_F(Library, Empty) {
    struct Case {
        Value v;
        bool empty;
    } cases[] = {
        {Value(), true},          {0, true},          {0.0, true},        {1, false},
        {"", true},               {" \t\r\n", true},  {" x", false},      {false, true},
        {true, false},            {Value(Date{}), true}, {Value(makeDate(2024, 1, 1)), false},
        {Value::array(), true},   {Value::array({1}), false},
    };
    for (const Case& c : cases) EXPECT_EQ(call("EMPTY", {c.v}).asLogical(), c.empty) << c.v.typeCode();
}

TEST_F(Library, WrongArgumentsRaiseTheFunctionsError) {
    RecordingHandler handler(ErrorAction::Default, "substituted");
    EXPECT_EQ(call("STR", {"x"}).asString(), "substituted");
    EXPECT_EQ(call("UPPER", {1}).asString(), "substituted");
    EXPECT_EQ(call("YEAR", {"2024"}).asString(), "substituted");
    EXPECT_EQ(call("LEN", {5}).asString(), "substituted");
    EXPECT_EQ(call("MAX", {1, "2"}).asString(), "substituted");
    ASSERT_EQ(handler.seen.size(), 5u);
    EXPECT_EQ(handler.seen[0].genCode, eg::Arg);
    EXPECT_EQ(handler.seen[0].subCode, 1099);
    EXPECT_EQ(handler.seen[0].operation, "STR");
    EXPECT_EQ(handler.seen[1].subCode, 1102);
    EXPECT_EQ(handler.seen[3].subCode, 1111);
}

TEST(DisplayText, EveryType) {
    SettingsGuard guard;
    settings().dateFormat = "dd/mm/yyyy";
    settings().century = true;
    settings().decimals = 2;
    EXPECT_EQ(displayText(42), "        42");
    EXPECT_EQ(displayText(Value(realNumber(10.0 / 3, -1))), "         3.33");
    EXPECT_EQ(displayText("text"), "text");
    EXPECT_EQ(displayText(Value(makeDate(2024, 3, 7))), "07/03/2024");
    EXPECT_EQ(displayText(Value(Date{})), "  /  /    ");
    EXPECT_EQ(displayText(true), ".T.");
    EXPECT_EQ(displayText(false), ".F.");
    EXPECT_EQ(displayText(Value()), "NIL");
    EXPECT_EQ(displayText(Value::array({1})), "{ ... }");
    EXPECT_EQ(displayText(Value(makeBlock([](Args) { return Value(); }, "{|| 1 }"))), "{|| ... }");
    EXPECT_EQ(displayText(Value(Pointer{nullptr, 0})), "0x0");
}

}  // namespace
}  // namespace rt
