#include "framework/core/gdi/bitmap_geometry.h"

namespace vorpex::bmp {

namespace {

void copyAt(DrawPlan& p, int64_t x, int64_t y) {
    p.kind = DrawKind::Copy;
    p.at = {x, y};
}

void putLE(std::vector<uint8_t>& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

DrawPlan planDrawBitmap(int64_t w, int64_t h, const InclusiveRect& r, int mode, bool hasBrush) {
    DrawPlan p;
    p.rect = r;
    if (w <= 0 || h <= 0) return p;
    const int64_t width = r.width(), height = r.height();
    if (width == w && height == h) {
        copyAt(p, r.left, r.top);
        p.result = 1;
        return p;
    }
    if (mode == blSTRETCH || mode == blSTRETCHSMOOTH) {
        p.kind = mode == blSTRETCH ? DrawKind::Stretch : DrawKind::StretchHalftone;
        p.result = 1;
        return p;
    }
    if (width <= w && height <= h) {
        copyAt(p, r.left, r.top);
        p.result = 1;
        return p;
    }
    p.fillBrush = hasBrush && mode != blTILED;
    switch (mode) {
        case blCOPY:
            copyAt(p, r.left, r.top);
            break;
        case blCENTER:
            copyAt(p, (r.left + r.right - w + 1) / 2, (r.top + r.bottom - h + 1) / 2);
            break;
        case blTILED:
            p.kind = DrawKind::Tile;
            for (int64_t y = r.top; y <= r.bottom; y += h)
                for (int64_t x = r.left; x <= r.right; x += w) p.tiles.push_back({x, y});
            return p;
        default:
            return p;
    }
    p.rect = {p.at.x, p.at.y, p.at.x + w - 1, p.at.y + h - 1};
    return p;
}

void remapGlyphColors(std::span<uint32_t> table, int64_t shadow, int64_t face, int64_t light) {
    for (uint32_t& entry : table) {
        switch (entry & 0xFFFFFF) {
            case 0x808080: entry = static_cast<uint32_t>(rgbToQuad(shadow)); break;
            case 0xC0C0C0: entry = static_cast<uint32_t>(rgbToQuad(face)); break;
            case 0xDFDFDF: entry = static_cast<uint32_t>(rgbToQuad(light)); break;
            default: break;
        }
    }
}

int packedColorEntries(uint32_t colorsUsed, int bitsPerPixel) {
    if (colorsUsed) return static_cast<int>(colorsUsed);
    return bitsPerPixel >= 1 && bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
}

int64_t bitmapDataBytes(int64_t width, int64_t height, int64_t planes, int64_t bitsPerPixel) {
    if (width <= 0 || height <= 0 || planes <= 0 || bitsPerPixel <= 0) return 0;
    return (width * bitsPerPixel + 15) / 16 * 2 * height * planes;
}

int fileBitsPerPixel(int planes, int bitsPerPixel) {
    const int n = planes * bitsPerPixel;
    for (int step : {1, 4, 8, 16, 24}) if (n <= step) return step;
    return 32;
}

int colorTableEntries(int bitsPerPixel) { return bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0; }

int64_t imageBytes(int bitsPerPixel, int64_t width, int64_t height) {
    return (bitsPerPixel * width + 31) / 32 * 4 * height;
}

std::vector<uint8_t> bmpHeaders(int64_t width, int64_t height, int bitsPerPixel) {
    const int colors = colorTableEntries(bitsPerPixel);
    const int64_t offset = 14 + 40 + 4 * colors;
    const int64_t image = imageBytes(bitsPerPixel, width, height);
    std::vector<uint8_t> out;
    out.reserve(54);
    out.push_back('B');
    out.push_back('M');
    putLE(out, static_cast<uint64_t>(offset + image), 4);
    putLE(out, 0, 4);  // two reserved words
    putLE(out, static_cast<uint64_t>(offset), 4);
    putLE(out, 40, 4);
    putLE(out, static_cast<uint64_t>(width), 4);
    putLE(out, static_cast<uint64_t>(height), 4);
    putLE(out, 1, 2);  // a file has one plane whatever the device had
    putLE(out, static_cast<uint64_t>(bitsPerPixel), 2);
    putLE(out, 0, 4);  // BI_RGB
    putLE(out, static_cast<uint64_t>(image), 4);
    putLE(out, 0, 4);  // resolution: not recorded
    putLE(out, 0, 4);
    putLE(out, static_cast<uint64_t>(colors), 4);
    putLE(out, 0, 4);  // all colours important
    return out;
}

}  // namespace vorpex::bmp
