#include <gtest/gtest.h>

#include <cstdint>

#include "framework/core/native/bits.h"
#include "call.h"

namespace vorpex {
namespace {

using testing::call;

struct NumberCase {
    const char* function;
    std::vector<rt::Value> args;
    int64_t expected;
};

TEST(Bits, CallableNumberResults) {
    const NumberCase cases[] = {
        {"NOR", {1, 2, 4}, 7},
        {"NAND", {7, 6, 3}, 2},
        {"NXOR", {1, 3}, 2},
        {"NEXCLUDE", {7, 2}, 5},
        {"NEXCLUDE", {0xFF, 1, 2, 4}, 0xF8},
        {"NNOT", {0}, -1},
        {"MAKEWORD", {0x1FF, 2}, 0x2FF},
        {"LOWORD", {0xFFFF}, -1},
        {"LOWORD", {0x12345678}, 0x5678},
        {"HIWORD", {0x80000000LL}, -32768},
        {"HIWORD", {0x12345678}, 0x1234},
        {"LOBYTE", {0x1234}, 0x34},
        {"HIBYTE", {0x1234}, 0x12},
        {"SHR", {-1, 60}, 15},
        {"SHR", {-1, 64}, 0},
        {"SHR", {-1, 255}, 0},
        {"SHR", {256, 256 + 4}, 16},  // only the low 8 bits of the count
        {"SHL", {1, 63}, INT64_MIN},
        {"SHL", {1, 64}, 0},
        {"MAKELONG", {1, 2}, 0x20001},
        {"MAKELPARAM", {0x1FFFF, 0x1FFFF}, -1},          // both parts masked
        {"MAKELPARAM", {-1, -1}, -1},                     // never outside 32 bits
        {"MAKELPARAM", {5, 0x8000}, -2147483643},         // read as a signed 32-bit LPARAM
        {"MAKELONG", {0, 0x10001}, 0x10000},
        {"MAKEINTRESOURCE", {0x12345}, 0x2345},
        {"MAKELONGLONG", {1, 2}, 0x200000001LL},
        {"MAKELONGLONG", {-1, 0}, 0xFFFFFFFFLL},
        {"LOLONG", {0x7FFFFFFF00000005LL}, 5},
        {"HILONG", {0x7FFFFFFF00000005LL}, 0x7FFFFFFF},
        {"HILONG", {-1}, -1},
    };
    for (const auto& c : cases) {
        const rt::Value r = call(c.function, c.args);
        EXPECT_TRUE(r.isNumber()) << c.function;
        EXPECT_EQ(r.asInteger(), c.expected) << c.function;
    }
}

TEST(Bits, LogicalResults) {
    EXPECT_FALSE(call("LAND", {6, 1}).asLogical());
    EXPECT_TRUE(call("LAND", {6, 2}).asLogical());
    EXPECT_FALSE(call("LXOR", {1, 1}).asLogical());
    EXPECT_TRUE(call("LXOR", {1, 2}).asLogical());
    EXPECT_TRUE(call("LOR", {0, 8}).asLogical());
    EXPECT_FALSE(call("LOR", {0, 0}).asLogical());
}

TEST(Bits, MakeLongLongRoundTrip) {
    const int64_t parts[][2] = {{0, 0}, {1, 2}, {-1, -1}, {INT32_MIN, INT32_MAX}, {123456, -654321}};
    for (auto [low, high] : parts) {
        const int64_t n = makeLongLong(low, high);
        EXPECT_EQ(lowLong(n), low);
        EXPECT_EQ(highLong(n), high);
    }
}

TEST(Bits, WrongArgumentTypesGiveNeutralResults) {
    for (const char* name : {"NOR", "NAND", "NXOR", "NEXCLUDE", "NNOT", "SHR", "SHL", "MAKELONG", "LOWORD",
                             "MAKELONGLONG", "MAKEINTRESOURCE"}) {
        EXPECT_EQ(call(name, {"x", 1}).asInteger(), 0) << name;
        EXPECT_EQ(call(name, {}).asInteger(), 0) << name;
    }
    EXPECT_EQ(call("NOR", {1, "2"}).asInteger(), 0);
    for (const char* name : {"LAND", "LOR", "LXOR"}) {
        const rt::Value r = call(name, {1, rt::Value()});
        EXPECT_TRUE(r.isLogical()) << name;
        EXPECT_FALSE(r.asLogical()) << name;
    }
}

}  // namespace
}  // namespace vorpex
