// A 32-bit top-down DIB section in a memory DC, for Windows tests that check painting by reading pixels back
// instead of comparing screenshots, and the pixel reader for a bitmap of its own. Windows-only.
#pragma once

#include <windows.h>

#include <cstdint>

namespace vorpex::testing {

class MemoryCanvas {
public:
    // The default fill is a colour nothing paints by accident.
    MemoryCanvas(int width, int height, COLORREF fill = RGB(1, 2, 3)) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        if (dc_ && bitmap_) previous_ = SelectObject(dc_, bitmap_);
        if (ready()) fillAll(fill);
    }
    ~MemoryCanvas() {
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    bool ready() const { return previous_ != nullptr && bits_ != nullptr; }
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixel as the DIB holds it (blue in the low byte); GDI's batched drawing is flushed first.
    uint32_t raw(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x];
    }
    // The pixel as an RGB number (red in the low byte).
    COLORREF at(int x, int y) const {
        const uint32_t v = raw(x, y);
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    void fillAll(COLORREF c) { fill({0, 0, width_, height_}, c); }
    void fill(RECT r, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// One pixel of a bitmap that is selected into no device context, read through a DC of its own.
inline COLORREF pixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

}  // namespace vorpex::testing
