// A 32-bit top-down DIB section in a memory DC, for tests that check painting by reading pixels back.
#pragma once

#include <windows.h>

#include <cstdint>

namespace vorpex::testing {

class MemoryCanvas {
public:
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
        fillAll(fill);
    }
    ~MemoryCanvas() {
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The pixel as an RGB number (red in the low byte).
    COLORREF at(int x, int y) const {
        const uint32_t v = bits_[y * width_ + x];
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

// A bitmap of `bits` per pixel (a DIB section; 1 and 8 bits with a grey ramp table) painted by `paint`.
template <class Paint>
HBITMAP makeBitmap(int width, int height, int bits, Paint paint) {
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[256];
    } info{};
    info.h = {sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
    const int entries = bits <= 8 ? 1 << bits : 0;
    for (int i = 0; i < entries; ++i) {
        const BYTE g = static_cast<BYTE>(entries == 2 ? i * 255 : i);
        info.colors[i] = {g, g, g, 0};
    }
    void* pixels = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    paint(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return b;
}

inline bool closeTo(COLORREF a, COLORREF b, int tolerance) {
    auto d = [](int x, int y) { return x > y ? x - y : y - x; };
    return d(GetRValue(a), GetRValue(b)) <= tolerance && d(GetGValue(a), GetGValue(b)) <= tolerance &&
           d(GetBValue(a), GetBValue(b)) <= tolerance;
}

}  // namespace vorpex::testing
