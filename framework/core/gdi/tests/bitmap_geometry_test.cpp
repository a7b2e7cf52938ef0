// VP_DrawBitmap's plan, glyph colour tables and .bmp headers.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/core/gdi/bitmap_geometry.h"

namespace vorpex::bmp {
namespace {

TEST(BitmapPlan, SizesAndModesChooseTheWay) {
    DrawPlan same = planDrawBitmap(16, 16, {0, 0, 15, 15}, blCENTER, true);
    EXPECT_EQ(same.kind, DrawKind::Copy);
    EXPECT_EQ(same.result, 1);

    DrawPlan centred = planDrawBitmap(16, 16, {0, 0, 99, 49}, blCENTER, true);
    EXPECT_EQ(centred.kind, DrawKind::Copy);
    EXPECT_TRUE(centred.fillBrush);
    EXPECT_EQ(centred.at, (TilePoint{42, 17}));
    EXPECT_EQ(centred.rect, (InclusiveRect{42, 17, 57, 32}));
    EXPECT_EQ(centred.result, 0);

    DrawPlan copied = planDrawBitmap(16, 8, {5, 6, 99, 49}, blCOPY, false);
    EXPECT_FALSE(copied.fillBrush);
    EXPECT_EQ(copied.rect, (InclusiveRect{5, 6, 20, 13}));

    for (int mode : {blSTRETCH, blSTRETCHSMOOTH}) {
        DrawPlan p = planDrawBitmap(16, 16, {0, 0, 99, 49}, mode, true);
        EXPECT_EQ(p.kind, mode == blSTRETCH ? DrawKind::Stretch : DrawKind::StretchHalftone);
        EXPECT_EQ(p.result, 1);
    }
    DrawPlan smaller = planDrawBitmap(32, 32, {0, 0, 9, 9}, blCENTER, true);  // not larger: plain copy
    EXPECT_EQ(smaller.at, (TilePoint{0, 0}));
    EXPECT_EQ(smaller.result, 1);
    EXPECT_EQ(planDrawBitmap(16, 16, {0, 0, 99, 49}, 9, true).kind, DrawKind::Nothing);
    EXPECT_EQ(planDrawBitmap(0, 16, {0, 0, 99, 49}, blTILED, true).kind, DrawKind::Nothing);
}

TEST(BitmapPlan, TilesReachTheLastRowAndColumnWithoutBrush) {
    DrawPlan row = planDrawBitmap(10, 10, {0, 0, 99, 9}, blTILED, true);
    EXPECT_EQ(row.tiles.size(), 10u);
    EXPECT_FALSE(row.fillBrush);
    EXPECT_EQ(row.result, 0);
    // 101 x 21 pixels: the column at 100 and the row at 20 need tiles of their own.
    DrawPlan edge = planDrawBitmap(10, 10, {0, 0, 100, 20}, blTILED, true);
    EXPECT_EQ(edge.tiles.size(), 11u * 3u);
    EXPECT_EQ(edge.tiles.back(), (TilePoint{100, 20}));
}

TEST(GlyphColors, GreysBecomeSystemColoursAsTableEntries) {
    EXPECT_EQ(rgbToQuad(0x112233), 0x332211);
    uint32_t table[] = {0x808080, 0xC0C0C0, 0xDFDFDF, 0x000000, 0xFFFFFF};
    remapGlyphColors(table, 0x0000A0, 0x00B000, 0xC00000);
    EXPECT_EQ(table[0], 0xA00000u);
    EXPECT_EQ(table[1], 0x00B000u);
    EXPECT_EQ(table[2], 0x0000C0u);
    EXPECT_EQ(table[3], 0u);
    EXPECT_EQ(table[4], 0xFFFFFFu);
    EXPECT_EQ(bitmapDataBytes(17, 3, 1, 1), 4 * 3);  // 17 bits -> two words a row
    EXPECT_EQ(bitmapDataBytes(8, 8, 1, 24), 24 * 8);
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

TEST(BmpHeaders, ColourTablesOnlyUpToEightBits) {
    struct Case {
        int bits, colours;
    } cases[] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        auto h = bmpHeaders(10, 3, c.bits);
        ASSERT_EQ(h.size(), 54u);
        EXPECT_EQ(h[0], 'B');
        EXPECT_EQ(h[1], 'M');
        const uint32_t offset = 54 + 4 * c.colours;
        const uint32_t image = (c.bits * 10 + 31) / 32 * 4 * 3;
        EXPECT_EQ(le32(h, 10), offset);
        EXPECT_EQ(le32(h, 2), offset + image);
        EXPECT_EQ(le32(h, 34), image);
        EXPECT_EQ(le32(h, 46), static_cast<uint32_t>(c.colours));
        EXPECT_EQ(h[28], c.bits);
    }
    EXPECT_EQ(fileBitsPerPixel(1, 15), 16);
    EXPECT_EQ(fileBitsPerPixel(3, 1), 4);
    EXPECT_EQ(fileBitsPerPixel(1, 32), 32);
}

}  // namespace
}  // namespace vorpex::bmp
