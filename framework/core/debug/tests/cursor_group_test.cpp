// The cursor image chosen from a cursor group directory, and directories that are too short for what they
// claim.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/core/debug/cursor_group.h"

namespace vorpex {
namespace {

struct Image {
    uint16_t bits;
    uint16_t id;
};

std::vector<uint8_t> directory(const std::vector<Image>& images, uint16_t type = 2) {
    std::vector<uint8_t> out;
    auto word = [&](uint16_t w) {
        out.push_back(static_cast<uint8_t>(w));
        out.push_back(static_cast<uint8_t>(w >> 8));
    };
    word(0);
    word(type);
    word(static_cast<uint16_t>(images.size()));
    for (const Image& i : images) {
        word(32);  // width
        word(64);  // height (both masks)
        word(1);   // planes
        word(i.bits);
        word(0x100);  // byte size, low and high words
        word(0);
        word(i.id);
    }
    return out;
}

TEST(CursorGroup, TheShadowSettingPicksTheFirstImageOfTheMatchingDepth) {
    const auto dir = directory({{1, 5}, {32, 6}, {4, 7}, {32, 8}});
    EXPECT_EQ(pickCursorImage(dir, true), 6);
    EXPECT_EQ(pickCursorImage(dir, false), 5);
    EXPECT_EQ(pickCursorImage(directory({{32, 9}}), false), std::nullopt);
    EXPECT_EQ(pickCursorImage(directory({{8, 9}}), true), std::nullopt);
}

TEST(CursorGroup, MalformedDirectoriesPickNothing) {
    auto truncated = directory({{1, 5}, {32, 6}});
    truncated.resize(truncated.size() - 1);
    EXPECT_EQ(pickCursorImage(truncated, true), std::nullopt);
    EXPECT_EQ(pickCursorImage(truncated, false), std::nullopt);  // even though the first entry is whole

    auto overclaiming = directory({{1, 5}});
    overclaiming[4] = 200;  // claims 200 entries
    EXPECT_EQ(pickCursorImage(overclaiming, false), std::nullopt);

    EXPECT_EQ(pickCursorImage(std::vector<uint8_t>{0, 0, 2}, false), std::nullopt);
    EXPECT_EQ(pickCursorImage(directory({{1, 5}}, 1), false), std::nullopt);  // an icon group
    EXPECT_EQ(pickCursorImage({}, true), std::nullopt);
}

}  // namespace
}  // namespace vorpex
