#include <gtest/gtest.h>

#include "runtime/lib/text.h"
#include "tests/support/recording_handler.h"

namespace rt {
namespace {

TEST(Text, SubstrLeftRight) {
    struct Case {
        int64_t start, length;
        const char* expected;
    } cases[] = {
        {2, 3, "ell"}, {-3, INT64_MAX, "llo"}, {0, 2, "he"}, {9, 1, ""}, {2, 0, ""}, {2, -1, ""},
        {4, 100, "lo"}, {-9, 2, "he"}, {INT64_MIN, 1, "h"}, {1, INT64_MAX, "hello"},
    };
    for (const Case& c : cases) EXPECT_EQ(substr("hello", c.start, c.length), c.expected) << c.start;
    EXPECT_EQ(left("abc", 5), "abc");
    EXPECT_EQ(left("abc", -1), "");
    EXPECT_EQ(right("abc", 2), "bc");
    EXPECT_EQ(right("abc", 9), "abc");
}

TEST(Text, CaseKnowsWesternLetters) {
    EXPECT_EQ(toUpper("a\xF1o z"), "A\xD1O Z");  // "año z"
    EXPECT_EQ(toLower("\xC1RBOL"), "\xE1rbol");
    EXPECT_EQ(toUpper("\xF7\xDF"), "\xF7\xDF");  // division sign and sharp s stay
}

TEST(Text, TrimsAndPads) {
    EXPECT_EQ(rtrim("  a b  "), "  a b");
    EXPECT_EQ(ltrim(" \t\r\na "), "a ");
    EXPECT_EQ(alltrim("  a  "), "a");
    EXPECT_EQ(padl("ab", 4), "  ab");
    EXPECT_EQ(padl("abcdef", 3), "abc");
    EXPECT_EQ(padr("ab", 4, '.'), "ab..");
    EXPECT_EQ(padc("ab", 5, '*'), "*ab**");
    EXPECT_EQ(padr("ab", -2), "");
    EXPECT_EQ(space(3), "   ");
    EXPECT_EQ(space(-1), "");
    EXPECT_EQ(replicate("ab", 3), "ababab");
    EXPECT_EQ(replicate("ab", 0), "");
}

TEST(Text, HugeResultsAreAnErrorNotACrash) {
    testing::RecordingHandler handler;
    EXPECT_EQ(replicate("ab", INT64_MAX), "");
    EXPECT_EQ(space(int64_t(1) << 40), "");
    EXPECT_EQ(padl("x", int64_t(1) << 40), "");
    ASSERT_EQ(handler.seen.size(), 3u);
    EXPECT_EQ(handler.seen[0].genCode, eg::StrOverflow);
    EXPECT_EQ(handler.seen[0].operation, "REPLICATE");
}

TEST(Text, SearchAndReplace) {
    EXPECT_EQ(strtran("aXbXc", "X", "-"), "a-b-c");
    EXPECT_EQ(strtran("aXbXcX", "X", "-", 2, 1), "aXb-cX");
    EXPECT_EQ(strtran("aXbXc", "X"), "abc");
    EXPECT_EQ(strtran("abc", ""), "abc");
    EXPECT_EQ(strtran("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(at("b", "abcb"), 2);
    EXPECT_EQ(rat("b", "abcb"), 4);
    EXPECT_EQ(at("", "abc"), 0);
    EXPECT_EQ(at("z", "abc"), 0);
    EXPECT_TRUE(isBlankText(" \t\r\n"));
    EXPECT_FALSE(isBlankText(" x"));
}

}  // namespace
}  // namespace rt
