// The decisions of the bitmap drawing routines, apart from GDI so that they are tested natively: which way a
// bitmap is drawn into a rectangle and where, the colour-table rewrite of packed glyphs, and the headers of a
// .bmp file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vorpex::bmp {

// An inclusive rectangle: right and bottom are the last pixel drawn.
struct InclusiveRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t width() const { return right - left + 1; }
    int64_t height() const { return bottom - top + 1; }
    friend bool operator==(const InclusiveRect&, const InclusiveRect&) = default;
};

struct TilePoint {
    int64_t x = 0, y = 0;
    friend bool operator==(const TilePoint&, const TilePoint&) = default;
};

inline constexpr int blCOPY = 0, blCENTER = 1, blTILED = 2, blSTRETCH = 3, blSTRETCHSMOOTH = 4;

enum class DrawKind { Copy, Stretch, StretchHalftone, Tile, Nothing };

struct DrawPlan {
    DrawKind kind = DrawKind::Nothing;
    bool fillBrush = false;       // the rectangle is filled with the brush first
    TilePoint at;                 // where a copy goes
    std::vector<TilePoint> tiles;  // where each tile goes
    InclusiveRect rect;           // the rectangle as the routine hands it back
    int result = 0;               // 1 when the bitmap covers the rectangle
};

// VP_DrawBitmap's choice for a bitmap of w x h. Tiles start at every step up to and including the last
// pixel, so the last row and column are painted (the device clips what lies beyond); a bitmap without
// pixels draws nothing.
DrawPlan planDrawBitmap(int64_t w, int64_t h, const InclusiveRect& r, int mode, bool hasBrush);

// An RGB number as a colour-table entry: red and blue bytes swapped.
inline int64_t rgbToQuad(int64_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// Greys 128, 192 and 223 of a packed glyph's colour table become the system's shadow, face and light colours
// (given as RGB numbers).
void remapGlyphColors(std::span<uint32_t> table, int64_t shadow, int64_t face, int64_t light);

// Colour-table entries of packed glyph data: biClrUsed, or 2^n for up to 8 bits per pixel when it is 0.
int packedColorEntries(uint32_t colorsUsed, int bitsPerPixel);

// Bytes CreateBitmap reads for that bitmap: rows of whole 16-bit words, for each plane.
int64_t bitmapDataBytes(int64_t width, int64_t height, int64_t planes, int64_t bitsPerPixel);

// ---- .bmp files

// planes x bits rounded up to 1, 4, 8, 16, 24 or 32.
int fileBitsPerPixel(int planes, int bitsPerPixel);
// Colour-table entries: 2^n up to 8 bits per pixel; none for 16, 24 and 32 (their pixels hold the colour).
int colorTableEntries(int bitsPerPixel);
int64_t imageBytes(int bitsPerPixel, int64_t width, int64_t height);

// The 14-byte file header followed by the 40-byte info header.
std::vector<uint8_t> bmpHeaders(int64_t width, int64_t height, int bitsPerPixel);

}  // namespace vorpex::bmp
