// The explorer bar: a pane of collapsible groups, each with a header band, an optional icon standing above
// it, a caption and an expand or collapse button.
#include <windows.h>

#include <optional>
#include <string>

#include "framework/controls/painters/further_painters.h"
#include "framework/controls/painters/painter_layout.h"
#include "framework/controls/painters/painter_support.h"
#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/native/win_system.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"

namespace vorpex {

using rt::Value;
using namespace painters;

namespace {

// Theme parts; a special group's are 4 further on.
constexpr int kPanePart = 0, kGroupBodyPart = 5, kCollapsePart = 6, kExpandPart = 7, kGroupHeadPart = 8;
constexpr int kSpecialOffset = 4;
constexpr int kIconSize = 32, kIconIndent = 24, kCaptionIndent = 13, kButtonWidth = 25;
constexpr UINT kCaptionFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;

struct GroupLook {
    const Value& item;
    HDC dc;
    theme::HTHEMEHANDLE theme;
    HICON icon;
    bool expanded, hot, header;
};

void drawCaption(const GroupLook& g, RECT r, int part, bool special) {
    const std::string text = textMember(g.item, "cText");
    if (g.theme) {
        if (const auto wide = win::ansiToWide(text))
            theme::drawThemeText(g.theme, g.dc, part, 0, wide->c_str(), -1, kCaptionFormat, 2, &r);
        return;
    }
    SetTextColor(g.dc, GetSysColor(special ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(g.dc, TRANSPARENT);
    DrawTextA(g.dc, text.c_str(), static_cast<int>(text.size()), &r, kCaptionFormat);
}

void drawButton(const GroupLook& g, RECT r, int base, bool special) {
    if (g.theme) {
        theme::drawThemeBackground(g.theme, g.dc, base + (g.expanded ? kCollapsePart : kExpandPart), g.hot ? 2 : 1, &r,
                                   nullptr);
        return;
    }
    r = {r.left + 2, r.top + 4, r.right - 4, r.bottom - 4};
    if (g.hot) DrawEdge(g.dc, &r, BDR_RAISEDINNER, BF_RECT);
    HBITMAP glyph = CreateBitmapFromData(explorerGlyph(g.expanded).data());
    if (glyph && special) {
        // A special group's glyph is drawn from its mask: black chevrons whatever the colour scheme.
        HBITMAP mask = VP_GetBmpMask(glyph);
        DeleteObject(glyph);
        glyph = mask;
    }
    if (!glyph) return;
    VP_DrawBmpTransparent(g.dc, r.left + 4, r.top + 4, glyph);
    DeleteObject(glyph);
}

void drawGroup(const GroupLook& g, const RECT& group) {
    const bool special = flagMember(g.item, "lSpecial");
    const int base = special ? kSpecialOffset : 0;
    Owned<HBRUSH> brush(CreateSolidBrush(GetSysColor(special ? COLOR_ACTIVECAPTION : COLOR_BTNFACE)));
    RECT r = group;
    if (g.icon) r.top += kIconRise;
    if (g.expanded) {
        if (g.theme) {
            const RECT body{r.left, r.top + 20, r.right, r.bottom};
            theme::drawThemeBackground(g.theme, g.dc, base + kGroupBodyPart, 0, &body, nullptr);
        } else {
            FillRect(g.dc, &r, systemBrush(COLOR_WINDOW));
            FrameRect(g.dc, &r, brush.get());
        }
    }
    if (!g.header) return;
    r.bottom = r.top + kGroupHeader;
    if (g.theme) {
        theme::drawThemeBackground(g.theme, g.dc, base + kGroupHeadPart, g.hot ? 2 : 0, &r, nullptr);
    } else {
        FillRect(g.dc, &r, brush.get());
    }
    if (g.icon) {
        DrawIconEx(g.dc, group.left, group.top, g.icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        r.left += kIconIndent;
    }
    r.left += kCaptionIndent;
    r.right -= kButtonWidth;
    drawCaption(g, r, base + kGroupHeadPart, special);
    drawButton(g, {r.right + 2, r.top, group.right, r.bottom}, base, special);
}

ExplorerGroup groupShape(const Value& item) {
    ExplorerGroup shape;
    shape.visible = flagMember(item, "IsVisible");
    shape.icon = handleOf(rt::send(item, "oIcon")) != 0;
    shape.expanded = flagMember(item, "lExpanded");
    const Value control = rt::send(item, "oControl");
    if (!control.isNil()) shape.controlHeight = rt::send(control, "nHeight").asInteger();
    return shape;
}

void drawPane(rt::Object& self, HWND window, HDC dc, theme::HTHEMEHANDLE bar, RECT pane) {
    const COLORREF colour = static_cast<COLORREF>(intMember(self, "nClrPane") & 0xFFFFFF);
    if (flagMember(self, "lTransparent")) {
        VP_DrawParentBackground(window, dc, nullptr);
    } else if (bar && theme::isThemePartDefined(bar, kGroupBodyPart, 0) && colour == GetSysColor(COLOR_WINDOW)) {
        // Only the window colour lets the theme draw the pane; any other is the user's choice.
        theme::drawThemeBackground(bar, dc, kPanePart, 0, &pane, nullptr);
    } else {
        Owned<HBRUSH> brush(CreateSolidBrush(colour));
        FillRect(dc, &pane, brush.get());
    }
}

}  // namespace

Value XEXPLORERBAR_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    const bool header = messageArg(args) == WM_PAINT;
    return inPaintFrame(self, args, [&](HWND window, HDC dc) {
        const std::vector<Value> items = itemsMember(self, "aItems");
        std::vector<ExplorerGroup> shapes;
        for (const Value& item : items) shapes.push_back(groupShape(item));
        const RECT client = clientRect(window);
        const ExplorerBarLayout layout =
            explorerBarLayout(Rect{0, 0, client.right, client.bottom}, intMember(self, "nClientTop"),
                              intMember(self, "nVirtualHeight"), intMember(self, "nSpacing"), shapes);
        const theme::HTHEMEHANDLE bar = theme::openThemeData(window, L"ExplorerBar");
        drawPane(self, window, dc, bar, toRECT(layout.pane));
        const int64_t hot = intMember(self, "nHotItem");
        for (size_t i = 0; i < items.size(); ++i) {
            if (!layout.groups[i]) continue;
            const RECT group = toRECT(*layout.groups[i]);
            // Headers are clipped to their group; a print of the client area draws the bodies only.
            std::optional<Clipped> clip;
            if (header) clip.emplace(dc, group);
            const GroupLook look{items[i], dc, bar, handleMember<HICON>(items[i], "oIcon"), shapes[i].expanded,
                                 static_cast<int64_t>(i + 1) == hot, header};
            drawGroup(look, group);
        }
        theme::closeThemeData(bar);
    });
}

}  // namespace vorpex
