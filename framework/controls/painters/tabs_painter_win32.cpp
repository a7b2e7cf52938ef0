// The tab strip: trapezoid tabs side by side, overlapping by their padding, the selected one drawn last so
// that it lies over both neighbours and opens into the page.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "framework/controls/painters/further_painters.h"
#include "framework/controls/painters/painter_layout.h"
#include "framework/controls/painters/painter_support.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"

namespace vorpex {

using rt::Value;
using namespace painters;

namespace {

constexpr int kTabPart = 10;
constexpr int kOutlined = 0, kThemed = 1, kOutlinedBoldSelected = 3;

struct Strip {
    rt::Object& tabs;
    HDC dc;
    theme::HTHEMEHANDLE theme;
    int64_t orientation;
};

// The character height of the DC's font, whatever the sign its LOGFONT gives the height in.
int64_t characterHeight(HDC dc) {
    LOGFONTA lf{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
    if (lf.lfHeight < 0) return -lf.lfHeight;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    return tm.tmHeight - tm.tmInternalLeading;
}

HFONT boldCopy(HDC dc) {
    LOGFONTA lf{};
    if (!GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf)) return nullptr;
    lf.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&lf);
}

void outlineTab(const Strip& s, const std::array<POINT, 4>& p, const Value& tab, bool selected) {
    const int64_t pane = selected ? intMember(s.tabs, "nClrPaneSel") : intMember(tab, "nClrPane");
    Owned<HPEN> pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME)));
    Owned<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(pane)));
    {
        Selected usePen(s.dc, pen.get()), useBrush(s.dc, brush.get());
        Polygon(s.dc, p.data(), 4);
    }
    // The selected tab opens into the page: its wide edge is drawn over in the page colour.
    if (selected) line(s.dc, static_cast<COLORREF>(pane), {p[0].x + 1, p[0].y}, p[3]);
}

void themeTab(const Strip& s, const std::array<POINT, 4>& p, const RECT& area, bool selected, bool enabled) {
    {
        SavedDC clipping(s.dc);
        Owned<HRGN> shape(CreatePolygonRgn(p.data(), 4, WINDING));
        SelectClipRgn(s.dc, shape.get());
        if (selected) {
            FillRgn(s.dc, shape.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        } else {
            theme::drawThemeBackground(s.theme, s.dc, kTabPart, enabled ? 1 : 4, &area, nullptr);
        }
    }
    Owned<HPEN> pen(CreatePen(PS_SOLID, 2, selected ? RGB(145, 167, 180) : RGB(145, 155, 156)));
    Selected usePen(s.dc, pen.get());
    const POINT stroke[] = {p[0], p[1], p[2], p[3], p[0]};
    Polyline(s.dc, stroke, selected ? 4 : 5);
}

void drawTabImage(HDC dc, HIMAGELIST images, int64_t image, POINT at, SIZE size, bool enabled) {
    if (enabled) {
        ImageList_Draw(images, static_cast<int>(image - 1), dc, at.x, at.y, ILD_TRANSPARENT);
        return;
    }
    HICON icon = ImageList_GetIcon(images, static_cast<int>(image - 1), ILD_TRANSPARENT);
    if (!icon) return;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, at.x, at.y, size.cx, size.cy,
               DST_ICON | DSS_DISABLED);
    DestroyIcon(icon);
}

// Draws one tab from area.left; answers where the next one starts.
LONG drawTab(const Strip& s, const RECT& area, const Value& tab) {
    const std::string text = textMember(tab, "cText");
    const int64_t pad = intMember(s.tabs, "nPad"), image = intMember(tab, "nImage"), style = intMember(s.tabs, "nStyle");
    HIMAGELIST images = handleMember<HIMAGELIST>(s.tabs, "oImageList");
    const bool selected = intMember(s.tabs, "nIndex") == intMember(tab, "nItem");
    const bool enabled = flagMember(tab, "lEnabled");
    int imageWidth = 0, imageHeight = 0;
    if (images) ImageList_GetIconSize(images, &imageWidth, &imageHeight);
    const SIZE imageSize{imageWidth, imageHeight};
    const int64_t height = tabHeight(characterHeight(s.dc), imageSize.cy);
    SIZE textSize{};
    GetTextExtentPoint32A(s.dc, text.c_str(), static_cast<int>(text.size()), &textSize);
    const TabOutline outline =
        tabOutline(area.left, area.top, pad, textSize.cx, imageSize.cx, image != 0, height, s.orientation);
    std::array<POINT, 4> p{};
    for (size_t i = 0; i < 4; ++i) p[i] = {static_cast<LONG>(outline.points[i].x), static_cast<LONG>(outline.points[i].y)};

    Owned<HFONT> bold(style == kOutlinedBoldSelected && selected ? boldCopy(s.dc) : nullptr);
    if (style == kOutlined || style == kOutlinedBoldSelected) outlineTab(s, p, tab, selected);
    if (style == kThemed) themeTab(s, p, area, selected, enabled);
    if (image != 0 && images)
        drawTabImage(s.dc, images, image, {p[1].x + 1, static_cast<LONG>((height - imageSize.cy) / 2 + 1)}, imageSize,
                     enabled);

    RECT caption{p[1].x + (image != 0 ? imageSize.cx + 3 : 0), area.top + 1, p[2].x, static_cast<LONG>(height)};
    SetBkMode(s.dc, TRANSPARENT);
    SetTextColor(s.dc, !enabled  ? GetSysColor(COLOR_GRAYTEXT)
                       : selected ? static_cast<COLORREF>(intMember(s.tabs, "nClrTextSel"))
                                  : static_cast<COLORREF>(intMember(tab, "nClrText")));
    Selected useBold(s.dc, bold.get());
    DrawTextA(s.dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return static_cast<LONG>(outline.nextX);
}

}  // namespace

Value XTABS_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    const int64_t orientation = intMember(self, "nOrientation");
    const theme::HTHEMEHANDLE windowTheme = window ? theme::getWindowTheme(window) : 0;
    return inPaintFrame(self, args, [&](HWND, HDC dc) {
        const int64_t selected = intMember(self, "nIndex");
        const std::vector<Value> tabs = itemsMember(self, "aItems");
        Selected useFont(dc, handleMember<HFONT>(self, "oFont"));
        RECT area = clientRect(window);
        VP_DrawControlBackground(self, dc, area);
        const Strip strip{self, dc, windowTheme, orientation};
        LONG selectedStart = 0;
        for (size_t i = 0; i < tabs.size(); ++i) {
            if (static_cast<int64_t>(i + 1) == selected) selectedStart = area.left;
            area.left = drawTab(strip, area, tabs[i]);
        }
        if (selected >= 1 && selected <= static_cast<int64_t>(tabs.size())) {
            area.left = selectedStart;
            drawTab(strip, area, tabs[static_cast<size_t>(selected - 1)]);
        }
    });
}

}  // namespace vorpex
