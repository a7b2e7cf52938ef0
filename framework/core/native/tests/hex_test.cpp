#include <gtest/gtest.h>

#include <cstdint>

#include "framework/core/native/hex.h"
#include "call.h"

namespace vorpex {
namespace {

using testing::call;

struct TextCase {
    const char* function;
    std::vector<rt::Value> args;
    std::string expected;
};

TEST(Hex, CallableTextResults) {
    const TextCase cases[] = {
        {"HEX", {255}, "ff"},
        {"HEX", {0}, "0"},
        {"HEX", {-1}, "ffffffffffffffff"},
        {"B2HEX", {0x1FF}, "FF"},
        {"W2HEX", {0xABC}, "0ABC"},
        {"L2HEX", {255}, "000000FF"},
        {"LL2HEX", {-1}, "FFFFFFFFFFFFFFFF"},
        {"LL2HEX", {0x123456789ABCDEFLL}, "0123456789ABCDEF"},
        {"STRINGTOHEX", {"AB"}, "4142"},
        {"STRINGTOHEX", {std::string("\0A", 2)}, "0041"},  // binary data: the whole length
        {"STRINGTOHEX", {""}, ""},
        {"HEXTOSTRING", {"414"}, "A"},                       // odd last digit ignored
        {"HEXTOSTRING", {"6162"}, "ab"},
        {"HEXTOSTRING", {"6a6B"}, "jk"},                     // either case
        {"HEXTOSTRING", {"G1"}, "\x01"},                     // no digit counts as 0
        {"HEX", {"255"}, ""},
        {"L2HEX", {rt::Value()}, ""},
        {"STRINGTOHEX", {12}, ""},
        {"HEXTOSTRING", {rt::Value::array({})}, ""},
    };
    for (const auto& c : cases) {
        const rt::Value r = call(c.function, c.args);
        EXPECT_TRUE(r.isString()) << c.function;
        EXPECT_EQ(r.asString(), c.expected) << c.function;
    }
}

TEST(Hex, HexToDec) {
    const std::pair<rt::Value, int64_t> cases[] = {
        {"ff", 255}, {"FF", 255}, {"1G2", 2}, {"", 0}, {"FFFFFFFFFFFFFFFF", -1}, {"7fffffffffffffff", INT64_MAX},
        {12, 0},  // no text
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(call("HEXTODEC", {text}).asInteger(), expected);
}

TEST(Hex, PrefixValueStopsAtTheTextsEnd) {
    EXPECT_EQ(hexPrefixValue("F", 2), 0xFu);        // shorter than the width: no read past the end
    EXPECT_EQ(hexPrefixValue("ab", 2), 0xABu);      // lower case too
    EXPECT_EQ(hexPrefixValue("12345", 4), 0x1234u); // at most the width
    EXPECT_EQ(hexPrefixValue("1Z2", 8), 0x1u);      // a non-digit ends the number
    EXPECT_EQ(hexPrefixValue("FFFFFFFFFFFFFFFFFF", 16), UINT64_MAX);
    EXPECT_EQ(hexPrefixValue("", 8), 0u);
}

TEST(Hex, DecimalOfEveryWidthFits) {
    EXPECT_EQ(dec(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(dec(INT64_MAX), "9223372036854775807");
    EXPECT_EQ(dec(0), "0");
}

TEST(Hex, MemToHexMarksWordEnds) {
    alignas(8) const unsigned char bytes[8] = {0x00, 0x01, 0xAB, 0xFF, 0x10, 0x20, 0x30, 0x40};
    const std::string mark(1, static_cast<char>(0xB7));
    EXPECT_EQ(memToHex(bytes, 8), "0001ABFF" + mark + "10203040" + mark);
    EXPECT_EQ(memToHex(bytes + 2, 3), "ABFF" + mark + "10");
    EXPECT_EQ(memToHex(nullptr, 4), "");
}

}  // namespace
}  // namespace vorpex
