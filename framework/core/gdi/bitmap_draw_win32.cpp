#include "framework/core/gdi/bitmap_draw.h"

#include <cstring>
#include <fstream>
#include <span>
#include <vector>

#include "framework/core/gdi/color.h"
#include "framework/core/gdi/gdi_guards.h"
#include "framework/core/gdi/win_gdi.h"
#include "framework/core/gdi/bitmap_geometry.h"

namespace vorpex {

namespace {

// "Where the source is black take the brush, where it is white keep the destination": ((D ^ P) & S) ^ P.
constexpr DWORD kBrushWhereBlack = 0x00B8074A;

using win::MemoryDC;
using win::Owned;

HBITMAP screenBitmap(int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return b;
}

// Paints `color` through a monochrome mask onto `dc` at (x, y): where the mask is 0 (the glyph's shape)
// with `onShape`, where it is 1 (the corner colour) otherwise.
void paintThroughMask(HDC dc, int x, int y, SIZE s, HDC mask, COLORREF color, bool onShape) {
    const COLORREF oldText = SetTextColor(dc, onShape ? RGB(0, 0, 0) : RGB(255, 255, 255));
    const COLORREF oldBack = SetBkColor(dc, onShape ? RGB(255, 255, 255) : RGB(0, 0, 0));
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    BitBlt(dc, x, y, s.cx, s.cy, mask, 0, 0, kBrushWhereBlack);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

// A copy of the bitmap whose corner-coloured pixels are `color`.
HBITMAP copyWithBackground(HBITMAP bitmap, HBITMAP mask, COLORREF color) {
    const SIZE s = bitmapSize(bitmap);
    HBITMAP out = screenBitmap(s.cx, s.cy);
    if (!out) return nullptr;
    MemoryDC target(out), source(bitmap), maskDC(mask);
    BitBlt(target.get(), 0, 0, s.cx, s.cy, source.get(), 0, 0, SRCCOPY);
    paintThroughMask(target.get(), 0, 0, s, maskDC.get(), color, false);
    return out;
}

void stretch(HDC dc, const RECT& r, HDC source, SIZE s, bool halftone) {
    int oldMode = 0;
    if (halftone) {
        oldMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE asks for it
    }
    StretchBlt(dc, r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1, source, 0, 0, s.cx, s.cy, SRCCOPY);
    if (halftone) SetStretchBltMode(dc, oldMode);
}

}  // namespace

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

COLORREF RGB2QUAD(COLORREF color) { return static_cast<COLORREF>(bmp::rgbToQuad(color)); }

HBITMAP VP_GetBmpMask(HBITMAP bitmap) {
    const SIZE s = bitmapSize(bitmap);
    if (!s.cx || !s.cy) return nullptr;
    HBITMAP mask = CreateBitmap(s.cx, s.cy, 1, 1, nullptr);
    MemoryDC source(bitmap), target(mask);
    SetBkColor(source.get(), GetPixel(source.get(), 0, 0));
    BitBlt(target.get(), 0, 0, s.cx, s.cy, source.get(), 0, 0, SRCCOPY);
    return mask;
}

int VP_DrawBitmap(HDC dc, HBITMAP bitmap, RECT* rect, int mode, HBRUSH brush) {
    if (!dc || !bitmap || !rect) return 0;
    const SIZE s = bitmapSize(bitmap);
    const bmp::InclusiveRect r{rect->left, rect->top, rect->right, rect->bottom};
    const bmp::DrawPlan plan = bmp::planDrawBitmap(s.cx, s.cy, r, mode, brush != nullptr);
    if (plan.fillBrush) {
        RECT fill{rect->left, rect->top, rect->right + 1, rect->bottom + 1};
        FillRect(dc, &fill, brush);
    }
    MemoryDC source(bitmap);
    switch (plan.kind) {
        case bmp::DrawKind::Copy:
            BitBlt(dc, static_cast<int>(plan.at.x), static_cast<int>(plan.at.y), s.cx, s.cy, source.get(), 0, 0,
                   SRCCOPY);
            break;
        case bmp::DrawKind::Stretch:
        case bmp::DrawKind::StretchHalftone:
            stretch(dc, *rect, source.get(), s, plan.kind == bmp::DrawKind::StretchHalftone);
            break;
        case bmp::DrawKind::Tile:
            for (const bmp::TilePoint& p : plan.tiles)
                BitBlt(dc, static_cast<int>(p.x), static_cast<int>(p.y), s.cx, s.cy, source.get(), 0, 0, SRCCOPY);
            break;
        case bmp::DrawKind::Nothing:
            break;
    }
    *rect = {static_cast<LONG>(plan.rect.left), static_cast<LONG>(plan.rect.top),
             static_cast<LONG>(plan.rect.right), static_cast<LONG>(plan.rect.bottom)};
    return plan.result;
}

HBITMAP VP_GetBmpDisabled(HBITMAP bitmap) {
    const SIZE s = bitmapSize(bitmap);
    if (!s.cx || !s.cy) return nullptr;
    HBITMAP out = screenBitmap(s.cx, s.cy);
    HBITMAP mask = VP_GetBmpMask(bitmap);
    Owned<HGDIOBJ> maskGuard(mask);
    if (!out || !mask) return out;
    MemoryDC target(out), maskDC(mask);
    RECT all{0, 0, s.cx + 1, s.cy + 1};
    FillRect(target.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    // Each colour goes only where the shape is, so a shape pixel ends in the shadow colour whatever lay
    // under it.
    paintThroughMask(target.get(), 1, 1, s, maskDC.get(), RGB(255, 255, 255), true);
    paintThroughMask(target.get(), 0, 0, s, maskDC.get(), GetSysColor(COLOR_BTNSHADOW), true);
    return out;
}

HBITMAP VP_GetBmpTransparent(HBITMAP bitmap, COLORREF color) {
    HBITMAP mask = VP_GetBmpMask(bitmap);
    Owned<HGDIOBJ> maskGuard(mask);
    return mask ? copyWithBackground(bitmap, mask, color) : nullptr;
}

void VP_DrawBmpTransparent(HDC dc, int x, int y, HBITMAP bitmap) {
    HBITMAP mask = VP_GetBmpMask(bitmap);
    Owned<HGDIOBJ> maskGuard(mask);
    if (!dc || !mask) return;
    HBITMAP image = copyWithBackground(bitmap, mask, RGB(0, 0, 0));
    Owned<HGDIOBJ> imageGuard(image);
    const SIZE s = bitmapSize(bitmap);
    MemoryDC maskDC(mask), imageDC(image);
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, s.cx, s.cy, maskDC.get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, s.cx, s.cy, imageDC.get(), 0, 0, SRCPAINT);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

void VP_DrawBmpDisabled(HDC dc, int x, int y, HBITMAP bitmap) {
    HBITMAP disabled = VP_GetBmpDisabled(bitmap);
    Owned<HGDIOBJ> guard(disabled);
    if (disabled) VP_DrawBmpTransparent(dc, x, y, disabled);
}

HBITMAP CreateBitmapFromData(const void* packed) {
    if (!packed) return nullptr;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(packed);
    const int entries = bmp::packedColorEntries(header->biClrUsed, header->biBitCount);
    const size_t headerBytes = header->biSize + 4 * static_cast<size_t>(entries);
    // Colour tables are read as 32-bit entries: keep the copy aligned for them.
    std::vector<uint32_t> copy((headerBytes + 3) / 4);
    std::memcpy(copy.data(), packed, headerBytes);
    std::span<uint32_t> table(copy.data() + header->biSize / 4, static_cast<size_t>(entries));
    bmp::remapGlyphColors(table, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DLIGHT));
    const void* bits = static_cast<const uint8_t*>(packed) + headerBytes;
    auto* info = reinterpret_cast<BITMAPINFO*>(copy.data());
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return b;
}

void VP_CrystalFillV(HDC dc, const RECT& rect, COLORREF color1, COLORREF color2, std::optional<COLORREF> border) {
    RECT r = rect;
    if (border) InflateRect(&r, -2, -2);
    const LONG middle = r.top + (r.bottom - r.top) / 2;
    const int64_t upperEnd = colorBlend(color1, color2, 144);
    win::gradientFill(dc, {r.left, r.top, r.right, middle}, color1, upperEnd, true);
    win::gradientFill(dc, {r.left, middle, r.right, r.bottom}, color2, colorBlend(color2, upperEnd, 64), true);
    if (!border) return;
    HPEN light = CreatePen(PS_SOLID, 1, RGB(255, 255, 251));
    HPEN outline = CreatePen(PS_SOLID, 1, *border);
    HGDIOBJ oldPen = SelectObject(dc, light);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    SelectObject(dc, outline);
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 2, 2);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(light);
    DeleteObject(outline);
}

HBITMAP VP_CaptureBitmap(HWND window, const std::optional<RECT>& area) {
    RECT r{};
    if (area) {
        r = *area;
    } else if (window) {
        GetClientRect(window, &r);
    } else {
        r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return nullptr;
    HDC source = GetDC(window);
    HBITMAP b = CreateCompatibleBitmap(source, width, height);
    if (b) {
        MemoryDC target(b);
        BitBlt(target.get(), 0, 0, width, height, source, r.left, r.top, SRCCOPY);
    }
    ReleaseDC(window, source);
    return b;
}

bool saveBitmap(HBITMAP bitmap, const std::string& file) {
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    const int bits = bmp::fileBitsPerPixel(bm.bmPlanes, bm.bmBitsPixel);
    const int colors = bmp::colorTableEntries(bits);
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 4 * static_cast<size_t>(colors) + 16);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    *header = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint8_t> pixels(static_cast<size_t>(bmp::imageBytes(bits, bm.bmWidth, bm.bmHeight)));
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, bm.bmHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(header),
                                DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != bm.bmHeight) return false;
    const std::vector<uint8_t> headers = bmp::bmpHeaders(bm.bmWidth, bm.bmHeight, bits);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(headers.data()), static_cast<std::streamsize>(headers.size()));
    out.write(reinterpret_cast<const char*>(info.data() + sizeof(BITMAPINFOHEADER)), 4 * colors);
    out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace vorpex
