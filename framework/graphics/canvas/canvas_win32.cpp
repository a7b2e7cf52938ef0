// The canvas's drawing with GDI. Text calls save the whole context and restore it, so font, colours,
// background mode and alignment all come back; line and shape calls select only what they use, so the
// current position a line moves stays moved.
#include <windows.h>

#include "framework/core/gdi/gdi_guards.h"
#include "framework/graphics/canvas/canvas_port.h"

namespace vorpex::gfx {

namespace {

HDC asDC(intptr_t dc) { return reinterpret_cast<HDC>(dc); }
HGDIOBJ asObject(intptr_t h) { return reinterpret_cast<HGDIOBJ>(h); }
RECT asRect(const PixelRect& r) {
    return {static_cast<LONG>(r.left), static_cast<LONG>(r.top), static_cast<LONG>(r.right),
            static_cast<LONG>(r.bottom)};
}

void applyLook(HDC dc, const TextLook& look) {
    if (look.font) SelectObject(dc, asObject(look.font));
    SetBkMode(dc, look.transparent ? TRANSPARENT : OPAQUE);
    if (!look.transparent && look.background) SetBkColor(dc, static_cast<COLORREF>(*look.background));
    if (look.color) SetTextColor(dc, static_cast<COLORREF>(*look.color));
    SetTextAlign(dc, static_cast<UINT>(look.alignment));
}

class WinCanvasPort final : public CanvasPort {
public:
    bool moveTo(intptr_t dc, int64_t x, int64_t y) override {
        return MoveToEx(asDC(dc), static_cast<int>(x), static_cast<int>(y), nullptr) != FALSE;
    }
    bool lineTo(intptr_t dc, int64_t x, int64_t y, intptr_t pen) override {
        win::Selected selected(asDC(dc), asObject(pen));
        return LineTo(asDC(dc), static_cast<int>(x), static_cast<int>(y)) != FALSE;
    }
    bool textOut(intptr_t dc, int64_t x, int64_t y, const std::string& text, const TextLook& look) override {
        win::SavedDC saved(asDC(dc));
        applyLook(asDC(dc), look);
        return TextOutA(asDC(dc), static_cast<int>(x), static_cast<int>(y), text.data(),
                        static_cast<int>(text.size())) != FALSE;
    }
    int64_t drawText(intptr_t dc, const PixelRect& r, const std::string& text, uint32_t flags,
                     const TextLook& look) override {
        win::SavedDC saved(asDC(dc));
        applyLook(asDC(dc), look);
        RECT rect = asRect(r);
        return DrawTextA(asDC(dc), text.data(), static_cast<int>(text.size()), &rect, flags);
    }
    TextExtent textExtent(intptr_t dc, intptr_t font, const std::string& text) override {
        win::Selected selected(asDC(dc), asObject(font));
        SIZE size{};
        if (!GetTextExtentPoint32A(asDC(dc), text.data(), static_cast<int>(text.size()), &size)) return {};
        return {size.cx, size.cy};
    }
    bool fillRect(intptr_t dc, const PixelRect& r, intptr_t brush) override {
        const RECT rect = asRect(r);
        return FillRect(asDC(dc), &rect, reinterpret_cast<HBRUSH>(brush)) != 0;
    }
    bool drawShape(intptr_t dc, Shape shape, const PixelRect& r, intptr_t pen, intptr_t brush, int64_t cornerWidth,
                   int64_t cornerHeight) override {
        win::Selected withPen(asDC(dc), asObject(pen));
        win::Selected withBrush(asDC(dc), asObject(brush));
        const RECT q = asRect(r);
        switch (shape) {
            case Shape::Rectangle: return Rectangle(asDC(dc), q.left, q.top, q.right, q.bottom) != FALSE;
            case Shape::Ellipse: return Ellipse(asDC(dc), q.left, q.top, q.right, q.bottom) != FALSE;
            case Shape::RoundRect:
                return RoundRect(asDC(dc), q.left, q.top, q.right, q.bottom, static_cast<int>(cornerWidth),
                                 static_cast<int>(cornerHeight)) != FALSE;
        }
        return false;
    }
    bool floodFill(intptr_t dc, int64_t x, int64_t y, int64_t color, int64_t type) override {
        return ExtFloodFill(asDC(dc), static_cast<int>(x), static_cast<int>(y), static_cast<COLORREF>(color),
                            static_cast<UINT>(type)) != FALSE;
    }
};

}  // namespace

CanvasPort& platformCanvasPort() {
    static WinCanvasPort port;
    return port;
}

}  // namespace vorpex::gfx
