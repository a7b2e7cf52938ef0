#include "framework/browse/grid_gdi.h"

#include <commctrl.h>

namespace vorpex::browse {

void fillSolid(HDC dc, const Rect& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    fillWith(dc, r, brush);
    DeleteObject(brush);
}

void fillWith(HDC dc, const Rect& r, HBRUSH brush) {
    if (r.right <= r.left || r.bottom <= r.top || !brush) return;
    const RECT rect = toRect(r);
    FillRect(dc, &rect, brush);
}

void horizontalLine(HDC dc, HPEN pen, int64_t x1, int64_t x2, int64_t y) {
    if (!pen) return;
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, static_cast<int>(x1), static_cast<int>(y), nullptr);
    LineTo(dc, static_cast<int>(x2), static_cast<int>(y));
    SelectObject(dc, old);
}

void verticalLine(HDC dc, HPEN pen, int64_t x, int64_t y1, int64_t y2) {
    if (!pen) return;
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, static_cast<int>(x), static_cast<int>(y1), nullptr);
    LineTo(dc, static_cast<int>(x), static_cast<int>(y2));
    SelectObject(dc, old);
}

void drawTextIn(HDC dc, const std::string& text, const Rect& box, int64_t flags, COLORREF textColor,
                COLORREF paneColor, HFONT font) {
    if (text.empty()) return;
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const COLORREF oldText = SetTextColor(dc, textColor), oldPane = SetBkColor(dc, paneColor);
    RECT r = toRect(box);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, static_cast<UINT>(flags & ~kModifyString));
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldPane);
    if (oldFont) SelectObject(dc, oldFont);
}

void focusRect(HDC dc, const Rect& r) {
    const RECT rect = toRect(r);
    DrawFocusRect(dc, &rect);
}

void drawBox(HDC dc, const Rect& r, bool raised) {
    RECT rect = toRect(r);
    if (raised) {
        DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
        return;
    }
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

bool drawListImage(HIMAGELIST list, int64_t image, HDC dc, int64_t x, int64_t y, int64_t width, int64_t height,
                   COLORREF background) {
    if (!list || image < 1 || image > ImageList_GetImageCount(list)) return false;
    return ImageList_DrawEx(list, static_cast<int>(image - 1), dc, static_cast<int>(x), static_cast<int>(y),
                            static_cast<int>(width), static_cast<int>(height), background, CLR_DEFAULT,
                            ILD_TRANSPARENT) != FALSE;
}

namespace {

SIZE measure(HFONT font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old) SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

}  // namespace

int64_t letterHeight(HFONT font) { return measure(font, "B").cy; }
int64_t textWidth(HFONT font, const std::string& text) { return text.empty() ? 0 : measure(font, text).cx; }

}  // namespace vorpex::browse
