// Small bitmaps for painting tests: a DIB section of any depth painted by a callback, and a loose colour
// comparison for stretched and gradient drawing. Windows only.
#pragma once

#include <windows.h>

namespace vorpex::testing {

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
