#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "framework/core/app/version_info.h"
#include "framework/core/app/tests/version_block_fixture.h"

namespace vorpex {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes fixture() { return Bytes(std::begin(testing::kVersionBlock), std::end(testing::kVersionBlock)); }

void put16(Bytes& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

TEST(VersionInfo, ReadsTheFixedPartAndTheTextsOfTheFirstStringTable) {
    Bytes b = fixture();
    auto info = parseVersionInfo(b);
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->hasFixedPart);
    EXPECT_DOUBLE_EQ(info->version, 2.5);
    EXPECT_EQ(info->release, 3);
    EXPECT_EQ(info->build, 417);
    EXPECT_EQ(info->fileVersion, u"2.5.3");
    EXPECT_EQ(info->description, u"Asistencias");
    EXPECT_EQ(info->company, u"Compa\u00f1\u00eda Vorpex");
    EXPECT_EQ(info->copyright, u"(c) 2024");
    EXPECT_EQ(info->trademarks, u"");
    EXPECT_EQ(info->comments, u"Demo");
}

void replaceText(Bytes& b, std::u16string_view from, std::u16string_view to) {
    for (size_t at = 0; at + from.size() * 2 <= b.size(); ++at) {
        bool same = true;
        for (size_t i = 0; i < from.size() && same; ++i) same = b[at + 2 * i] == (from[i] & 0xFF) && b[at + 2 * i + 1] == 0;
        if (!same) continue;
        for (size_t i = 0; i < to.size(); ++i) put16(b, at + 2 * i, to[i]);
    }
}

// A block cut short at any point, with its declared length saying so, gives complete texts or none, and never
// the texts of whatever bytes follow it in memory (here: another version block with other texts).
TEST(VersionInfo, ShortenedBlocksNeverReadPastTheirEnd) {
    const Bytes whole = fixture();
    Bytes trap = whole;
    replaceText(trap, u"Demo", u"TRAP");
    replaceText(trap, u"2.5.3", u"9.9.9");
    replaceText(trap, u"Asistencias", u"XXXXXXXXXXX");
    for (size_t n = 0; n <= whole.size(); ++n) {
        Bytes b(whole.begin(), whole.begin() + n);
        if (n >= 2) put16(b, 0, static_cast<uint16_t>(n));
        b.insert(b.end(), trap.begin(), trap.end());
        auto info = parseVersionInfo(std::span(b.data(), n));
        if (!info) continue;
        EXPECT_TRUE(info->fileVersion.empty() || info->fileVersion == u"2.5.3") << n;
        EXPECT_TRUE(info->description.empty() || info->description == u"Asistencias") << n;
        EXPECT_TRUE(info->comments.empty() || info->comments == u"Demo") << n;
    }
}

TEST(VersionInfo, MalformedBlocksAreRejectedOrReadPartially) {
    struct Case {
        const char* what;
        size_t offset;      // where to write
        uint16_t value;     // what to write there
        bool parsed;        // a version block at all
        bool hasComments;
    } cases[] = {
        {"root longer than the resource", 0, 0xFFFF, false, false},
        {"root length below a header", 0, 4, false, false},
        {"wrong root key", 6, 'X', false, false},
        {"StringFileInfo length zero", 0x5C, 0, true, false},
        {"StringFileInfo past its parent", 0x5C, 0xF000, true, false},
        {"fixed part signature broken", 0x28, 0x1234, true, true},
    };
    for (const Case& c : cases) {
        Bytes b = fixture();
        put16(b, c.offset, c.value);
        auto info = parseVersionInfo(b);
        EXPECT_EQ(info.has_value(), c.parsed) << c.what;
        if (info) {
            EXPECT_EQ(!info->comments.empty(), c.hasComments) << c.what;
        }
    }
    Bytes empty;
    EXPECT_FALSE(parseVersionInfo(empty));
}

}  // namespace
}  // namespace vorpex
