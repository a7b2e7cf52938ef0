// Version texts, STRPATTERN, the SQL date forms and the empty value of each type letter.
#include <gtest/gtest.h>

#include <vector>

#include "framework/core/debug/debug_functions.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/lib/date.h"
#include "tests/support/function_call.h"

namespace vorpex {
namespace {

using rt::testing::call;

struct UtilitiesTest : ::testing::Test {
    void SetUp() override { registerDebugFunctions(); }
};

TEST_F(UtilitiesTest, VersionTextsByIndex) {
    struct Case {
        rt::Value index;
        const char* text;
    };
    const Case cases[] = {
        {rt::Value(), "Vorpex 2.0.1 Version 2.0.1"},
        {1, "Vorpex 2.0.1 Version 2.0.1"},
        {0, "Vorpex"},
        {99, "Vorpex"},
        {7, "2"},
        {8, "0"},
        {9, "1"},
        {10, "Version 2.0.1 (December 2009)"},
        {14, "2.01"},
        {15, "(December 2009)"},
        {16, "12"},
        {17, "2009"},
    };
    for (const Case& c : cases) {
        std::vector<rt::Value> args;
        if (!c.index.isNil()) args.push_back(c.index);
        EXPECT_EQ(call("VORPEXVERSION", args).asString(), c.text) << rt::Value(c.index).asInteger();
    }
    for (int neutral : {2, 3, 4, 5, 6, 11, 12, 13, 2003, 2005}) {
        const std::string text = call("VORPEXVERSION", {neutral}).asString();
        EXPECT_FALSE(text.empty());
        EXPECT_NE(text, "Vorpex") << neutral;
    }
}

TEST_F(UtilitiesTest, StrPatternKeepsOrDropsTheListedCharactersIgnoringCase) {
    struct Case {
        const char* text;
        const char* chars;
        bool keep;
        const char* result;
    };
    const Case cases[] = {
        {"a1b2", "0123456789", false, "ab"},
        {"a1b2", "0123456789", true, "12"},
        {"aBc", "b", true, "B"},
        {"aBc", "B", false, "ac"},
        {"", "abc", true, ""},
        {"abc", "", false, "abc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(call("STRPATTERN", {c.text, c.chars, c.keep}).asString(), c.result) << c.text << "/" << c.chars;
}

TEST_F(UtilitiesTest, SqlDateForms) {
    const rt::Date d = rt::makeDate(2009, 3, 2);
    EXPECT_EQ(call("DTOSQL", {d}).asString(), "2009-03-02");
    EXPECT_EQ(call("DTOSQL", {rt::Date{}}).asString(), "");
    const double stamp = d.julian + (14 * 3600 + 5 * 60 + 9) / 86400.0;
    EXPECT_EQ(call("DTTOSQL", {stamp}).asString(), "2009-03-02 14:05:09");
    EXPECT_EQ(call("DTTOSQL", {d}).asString(), "2009-03-02 00:00:00");
    // A time that rounds to the next midnight belongs to the next day.
    EXPECT_EQ(call("DTTOSQL", {d.julian + 0.9999999}).asString(), "2009-03-03 00:00:00");
    EXPECT_EQ(call("DTTOSQL", {rt::Date{}}).asString(), "");
    EXPECT_EQ(call("DTTOSQL", {-5}).asString(), "");
    EXPECT_EQ(call("DTTOSQL", {"2009"}).asString(), "");
}

TEST_F(UtilitiesTest, DefaultValueOfEachTypeLetter) {
    struct Case {
        const char* type;
        char typeCode;
    };
    const Case cases[] = {{"C", 'C'}, {"M", 'C'}, {"N", 'N'}, {"L", 'L'}, {"D", 'D'},
                          {"T", 'D'}, {"A", 'A'}, {"B", 'B'}, {"X", 'U'}, {"", 'U'}};
    for (const Case& c : cases) EXPECT_EQ(call("VP_GETDEFVALUE", {c.type}).typeCode(), c.typeCode) << c.type;
    EXPECT_EQ(call("VP_GETDEFVALUE", {"c"}).asString(), "");
    EXPECT_EQ(call("VP_GETDEFVALUE", {"N"}).asInteger(), 0);
    EXPECT_FALSE(call("VP_GETDEFVALUE", {"L"}).asLogical());
    EXPECT_TRUE(call("VP_GETDEFVALUE", {"D"}).asDate().empty());
    EXPECT_TRUE(call("VP_GETDEFVALUE", {"T"}).asDate().empty());
    // Each call gives an array of its own.
    rt::Value a1 = call("VP_GETDEFVALUE", {"A"}), a2 = call("VP_GETDEFVALUE", {"A"});
    EXPECT_EQ(a1.asArray()->size(), 0u);
    EXPECT_FALSE(a1.sameAs(a2));
    EXPECT_TRUE(call("VP_GETDEFVALUE", {"B"}).asBlock()->eval({}).isNil());
}

}  // namespace
}  // namespace vorpex
