// The graphics port over GDI and USER.
#include <windows.h>

#include <cstring>

#include "framework/core/gdi/win_gdi.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_window.h"
#include "framework/graphics/graphics_port.h"

namespace vorpex::gfx {

namespace {

template <class H>
intptr_t handleOf(H h) {
    return reinterpret_cast<intptr_t>(h);
}
class Win32Graphics final : public GraphicsPort {
public:
    intptr_t createFont(const LogFont& f) override {
        LOGFONTA lf{};
        lf.lfHeight = static_cast<LONG>(f.height);
        lf.lfWidth = static_cast<LONG>(f.width);
        lf.lfEscapement = static_cast<LONG>(f.escapement);
        lf.lfOrientation = static_cast<LONG>(f.orientation);
        lf.lfWeight = static_cast<LONG>(f.weight);
        lf.lfItalic = f.italic;
        lf.lfUnderline = f.underline;
        lf.lfStrikeOut = f.strikeOut;
        lf.lfCharSet = static_cast<BYTE>(f.charSet);
        lf.lfOutPrecision = static_cast<BYTE>(f.outPrecision);
        // At most 31 characters and always the terminator: a full name must not run into the next field.
        const size_t n = std::min(f.faceName.size(), sizeof lf.lfFaceName - 1);
        std::memcpy(lf.lfFaceName, f.faceName.data(), n);
        lf.lfFaceName[n] = '\0';
        return handleOf(CreateFontIndirectA(&lf));
    }

    int64_t logPixelsY(intptr_t dc) override {
        if (dc) return GetDeviceCaps(win::handleAs<HDC>(dc), LOGPIXELSY);
        HDC screen = GetDC(nullptr);
        const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return dpi;
    }

    TextExtent textExtent(intptr_t font, const std::string& text, intptr_t window) override {
        HWND w = window ? win::toHwnd(window) : GetDesktopWindow();
        HDC dc = GetDC(w);
        if (!dc) return {};
        HGDIOBJ old = font ? SelectObject(dc, win::handleAs<HFONT>(font)) : nullptr;
        SIZE size{};
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        if (old) SelectObject(dc, old);
        ReleaseDC(w, dc);
        return {size.cx, size.cy};
    }

    intptr_t createSolidBrush(int64_t color) override {
        return handleOf(CreateSolidBrush(static_cast<COLORREF>(color)));
    }
    intptr_t createHatchBrush(int64_t style, int64_t color) override {
        return handleOf(CreateHatchBrush(static_cast<int>(style), static_cast<COLORREF>(color)));
    }
    intptr_t createPatternBrush(intptr_t bitmap) override { return handleOf(CreatePatternBrush(win::handleAs<HBITMAP>(bitmap))); }
    intptr_t createBrushIndirect(int64_t style, int64_t color, int64_t hatch) override {
        LOGBRUSH lb{};
        lb.lbStyle = static_cast<UINT>(style);
        lb.lbColor = static_cast<COLORREF>(color);
        lb.lbHatch = static_cast<ULONG_PTR>(hatch);
        return handleOf(CreateBrushIndirect(&lb));
    }
    intptr_t createPen(int64_t style, int64_t width, int64_t color) override {
        return handleOf(CreatePen(static_cast<int>(style), static_cast<int>(width), static_cast<COLORREF>(color)));
    }
    bool deleteObject(intptr_t object) override { return object && DeleteObject(win::handleAs<HGDIOBJ>(object)); }

    intptr_t loadSystemCursor(int64_t id) override {
        return handleOf(LoadCursorA(nullptr, MAKEINTRESOURCEA(id & 0xFFFF)));
    }
    intptr_t loadResourceCursor(const std::string& name) override {
        if (HCURSOR h = win::loadCursor(name.c_str())) return handleOf(h);
        return handleOf(LoadCursorA(nullptr, name.c_str()));
    }
    intptr_t loadCursorFile(const std::string& file) override { return handleOf(LoadCursorFromFileA(file.c_str())); }
    bool destroyCursor(intptr_t cursor) override { return cursor && DestroyCursor(win::handleAs<HCURSOR>(cursor)); }

    intptr_t loadSystemIcon(int64_t id) override { return handleOf(LoadIconA(nullptr, MAKEINTRESOURCEA(id & 0xFFFF))); }
    intptr_t loadResourceIcon(const std::string& name, int64_t width, int64_t height) override {
        const int cx = static_cast<int>(width), cy = static_cast<int>(height);
        if (HANDLE h = win::loadImage(name.c_str(), IMAGE_ICON, cx, cy, 0)) return handleOf(h);
        return handleOf(LoadImageA(nullptr, name.c_str(), IMAGE_ICON, cx, cy, 0));
    }
    intptr_t extractIcon(const std::string& file, int64_t index) override {
        HICON h = ExtractIconA(win::programInstance(), file.c_str(), static_cast<UINT>(index));
        // 1 means "a file, but no icon in it": no handle either.
        return handleOf(h) > 1 ? handleOf(h) : 0;
    }
    bool destroyIcon(intptr_t icon) override { return icon && DestroyIcon(win::handleAs<HICON>(icon)); }
    bool drawIcon(intptr_t dc, int64_t x, int64_t y, intptr_t icon, int64_t width, int64_t height) override {
        return DrawIconEx(win::handleAs<HDC>(dc), static_cast<int>(x), static_cast<int>(y), win::handleAs<HICON>(icon),
                          static_cast<int>(width), static_cast<int>(height), 0, nullptr, DI_NORMAL);
    }
};

}  // namespace

GraphicsPort& platformGraphicsPort() {
    static Win32Graphics port;
    return port;
}

}  // namespace vorpex::gfx
