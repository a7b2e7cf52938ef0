#include "framework/controls/header/header_painter.h"

#include <string>

#include "framework/controls/header/header.h"
#include "framework/controls/header/header_rules.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

constexpr int kHeaderItemPart = 1, kNormal = 1, kHot = 2, kPressed = 3;
constexpr COLORREF kArrowColour = RGB(172, 168, 153);
constexpr int kFaceInset = 3;

RECT toRect(const header::Box& b) {
    return {static_cast<LONG>(b.left), static_cast<LONG>(b.top), static_cast<LONG>(b.right), static_cast<LONG>(b.bottom)};
}

void paintFace(XHeader& h, HWND window, HDC dc, const RECT& r, int64_t item, bool pressed) {
    if (theme::HTHEMEHANDLE themeHandle = theme::getWindowTheme(window)) {
        const auto [x, y] = h.cursor();
        const int state = pressed ? kPressed : h.itemAtPoint(x, y) == item ? kHot : kNormal;
        theme::drawThemeBackground(themeHandle, dc, kHeaderItemPart, state, &r, nullptr);
        return;
    }
    RECT face = r;
    InflateRect(&face, -kFaceInset, -kFaceInset);
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
}

void paintArrow(HDC dc, const header::Box& box, int64_t sort) {
    const auto points = header::sortArrow(box, sort);
    POINT triangle[3];
    for (size_t i = 0; i < 3; ++i) triangle[i] = {static_cast<LONG>(points[i].x), static_cast<LONG>(points[i].y)};
    HPEN pen = CreatePen(PS_SOLID, 1, kArrowColour);
    HBRUSH brush = CreateSolidBrush(kArrowColour);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    Polygon(dc, triangle, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void paintText(XHeader& h, HDC dc, const std::string& text, header::Box box, int64_t alignment) {
    UINT format = alignment == 2 ? DT_RIGHT : alignment == 6 ? DT_CENTER : DT_LEFT;
    if (h.lWordBreak()) format |= DT_WORDBREAK;
    RECT r = toRect(box), measured = r;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    const LONG height = measured.bottom - measured.top;
    r.top = static_cast<LONG>(box.top + (box.bottom - box.top - height) / 2);
    r.bottom = r.top + height;
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = SetTextColor(dc, static_cast<COLORREF>(rt::send(h, "nClrText").asInteger()));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
}

}  // namespace

void paintHeaderItem(XHeader& h, const rt::Value& itemValue, const NMCUSTOMDRAW& draw) {
    auto item = rt::objectAs<XHeaderItem>(itemValue);
    if (!item) return;
    HWND window = reinterpret_cast<HWND>(h.Handle());
    HDC dc = draw.hdc;
    const bool pressed = (draw.uItemState & CDIS_SELECTED) != 0;
    header::Box box{draw.rc.left, draw.rc.top, draw.rc.right, header::paintBottom(draw.rc.bottom, h.lFilterBar())};
    paintFace(h, window, dc, toRect(box), item->nIndex(), pressed);
    if (pressed) {
        box.top += 1;
        box.bottom += 1;
    }
    const std::string text = item->cText().isString() ? item->cText().asString() : std::string();
    int imageWidth = 0, imageHeight = 0;
    const auto list = reinterpret_cast<HIMAGELIST>(handleOf(h.oImageList()));
    const bool hasImage = item->nImage() != 0 && list && ImageList_GetIconSize(list, &imageWidth, &imageHeight);
    if (hasImage) {
        const auto at = header::imageCorner(box, imageWidth, imageHeight, !text.empty());
        ImageList_Draw(list, static_cast<int>(item->nImage() - 1), dc, static_cast<int>(at.x), static_cast<int>(at.y),
                       ILD_NORMAL);
    }
    if (!text.empty()) paintText(h, dc, text, header::textBox(box, imageWidth, hasImage, item->nSort() != 0),
                                 item->nAlignment());
    if (item->nSort() != 0) paintArrow(dc, box, item->nSort());
}

}  // namespace vorpex
