#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "runtime/rdd/ntx/ntx_error.h"
#include "runtime/rdd/ntx/ntx_key.h"

namespace rt::ntx {
namespace {

TEST(NtxKey, NumericKeysSortAsNumbers) {
    // Byte order of the stored keys must be numeric order, negatives and decimals included, or seeks on
    // numeric orders written by other programs land in the wrong place.
    std::vector<double> values = {-999.9, -100, -10.5, -10, -9.99, -1, -0.5, -0.01, 0, 0.01, 0.5, 1, 9.99, 10, 10.5, 100, 999.9};
    for (size_t i = 1; i < values.size(); ++i) {
        std::string a = encodeNumber(values[i - 1], 8, 2), b = encodeNumber(values[i], 8, 2);
        EXPECT_LT(a, b) << values[i - 1] << " vs " << values[i] << ": '" << a << "' '" << b << "'";
        EXPECT_EQ(a.size(), 8u);
    }
}

TEST(NtxKey, NumericKeyTextTable) {
    struct Case {
        double value;
        uint16_t width, decimals;
        const char* key;
    };
    const Case cases[] = {
        {17, 6, 0, "000017"},    {0, 6, 0, "000000"},   {-1, 6, 0, ",,,,,+"},
        {-2, 6, 0, ",,,,,*"},    {12.5, 6, 2, "012.50"}, {1234567, 6, 0, "******"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeNumber(c.value, c.width, c.decimals), c.key) << c.value;
        if (c.key[0] != '*') {
            EXPECT_DOUBLE_EQ(decodeNumber(c.key), c.value) << c.key;
        }
    }
}

TEST(NtxKey, SpecsAndEncodingsPerType) {
    KeySpec s = keySpecOf(Value("abc"));
    EXPECT_EQ(s.type, KeyType::Character);
    EXPECT_EQ(s.size, 3);
    EXPECT_EQ(encodeKey(Value("ab"), s), "ab ");
    EXPECT_EQ(encodeKey(Value("abcdef"), s), "abc");

    KeySpec n = keySpecOf(Value::number(5, 6, 0));
    EXPECT_EQ(n.type, KeyType::Numeric);
    EXPECT_EQ(n.size, 6);
    EXPECT_EQ(encodeKey(Value(42), n), "000042");

    KeySpec d = keySpecOf(Value(Date{2455281}));  // 2010-03-25
    EXPECT_EQ(d.size, 8);
    EXPECT_EQ(encodeKey(Value(Date{2455281}), d), "20100325");
    EXPECT_EQ(encodeKey(Value(Date{0}), d), "        ");
    EXPECT_EQ(decodeKey("20100325", d).asDate().julian, 2455281);

    KeySpec l = keySpecOf(Value(true));
    EXPECT_EQ(encodeKey(Value(true), l), "T");
    EXPECT_EQ(encodeKey(Value(false), l), "F");

    EXPECT_THROW(keySpecOf(Value()), NtxError);
    EXPECT_THROW(keySpecOf(Value("")), NtxError);
}

TEST(NtxKey, SeekKeysArePrefixesForStringsAndFullForOthers) {
    KeySpec s{KeyType::Character, 24, 0};
    EXPECT_EQ(encodeSeekKey(Value("    17"), s), "    17");
    KeySpec n{KeyType::Numeric, 6, 0};
    EXPECT_EQ(encodeSeekKey(Value(17), n), "000017");
}

}  // namespace
}  // namespace rt::ntx
