// The split button: a push-button face (flat, themed or classic) with an image per state and a caption, and
// with a menu a drop-down arrow, set apart by a divider when the button also has a click action of its own.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/controls/painters/further_painters.h"
#include "framework/controls/painters/painter_layout.h"
#include "framework/controls/painters/painter_support.h"
#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/object/event.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"

namespace vorpex {

using rt::Value;
using namespace painters;

namespace {

constexpr int kPushButtonPart = 1;
constexpr int kArrowSize = 16, kArrowInset = 18, kMenuWidth = 16, kDividerInset = 21;
constexpr WORD kComboGlyph = 32738, kMenuArrowGlyph = 32739;  // OBM_COMBO, OBM_MNARROW

// What the button reads before its paint begins.
struct SplitButton {
    HWND window;
    HIMAGELIST images;
    theme::HTHEMEHANDLE theme;
    bool disabled;
    LRESULT buttonState;
    SplitButtonState look;
    std::string text;
    bool menu, split;
};

SplitButton readButton(rt::Object& self, HWND window) {
    SplitButton b{};
    b.window = window;
    b.images = handleMember<HIMAGELIST>(self, "oBitmaps");
    b.theme = theme::getWindowTheme(window);
    b.disabled = (GetWindowLongA(window, GWL_STYLE) & WS_DISABLED) != 0;
    b.buttonState = SendMessageA(window, BM_GETSTATE, 0, 0);
    const bool pressed = (b.buttonState & BST_PUSHED) || flagMember(self, "lPushed");
    b.look = splitButtonState(flagMember(self, "lDefault"), flagMember(self, "lHot"), pressed, b.disabled,
                              flagMember(self, "lFlat"), b.theme != 0);
    b.text = textMember(self, "cText");
    b.menu = !rt::send(self, "oMenu").isNil();
    b.split = b.menu && VP_EventAssigned(self, "OnClick");
    return b;
}

// Draws the face and answers the rectangle inside it.
RECT drawFace(rt::Object& self, const SplitButton& b, HDC dc, RECT r) {
    const bool pressed = (b.look.frameFlags & DFCS_PUSHED) != 0;
    if (flagMember(self, "lFlat")) {
        VP_DrawParentBackground(b.window, dc, nullptr);
        if (pressed) {
            DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
        } else if (flagMember(self, "lHot")) {
            DrawEdge(dc, &r, EDGE_RAISED, b.theme ? BF_RECT | BF_FLAT : BF_RECT);
        }
        InflateRect(&r, -2, -2);
    } else if (b.theme && flagMember(self, "lXPLook")) {
        theme::drawThemeParentBackground(b.window, dc, &r);
        {
            Clipped rounded(dc, CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, 1, 1));
            theme::drawThemeBackground(b.theme, dc, kPushButtonPart, b.look.themeState, &r, nullptr);
        }
        InflateRect(&r, -2, -2);
    } else {
        if (flagMember(self, "lDefault")) {
            Selected pen(dc, GetStockObject(BLACK_PEN));
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
            InflateRect(&r, -1, -1);
        }
        DrawFrameControl(dc, &r, DFC_BUTTON, b.look.frameFlags);
    }
    return r;
}

UINT textFormat(rt::Object& self) {
    UINT format = flagMember(self, "lMultiline") ? DT_WORDBREAK : DT_END_ELLIPSIS | DT_SINGLELINE;
    switch (intMember(self, "nAlignment")) {
        case 2: format |= DT_RIGHT; break;
        case 6: format |= DT_CENTER; break;
        default: break;
    }
    return format;
}

void drawCaption(rt::Object& self, const SplitButton& b, HDC dc, RECT r, UINT format) {
    SetBkMode(dc, TRANSPARENT);
    const int length = static_cast<int>(b.text.size());
    if (b.disabled) {
        if (!b.theme) {
            // Embossed: a light copy one pixel down and right under the shadow-coloured text.
            RECT light = r;
            OffsetRect(&light, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextA(dc, b.text.c_str(), length, &light, format);
        }
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, static_cast<COLORREF>(intMember(self, "nClrText")));
    }
    if (b.look.shift) OffsetRect(&r, 1, 1);
    DrawTextA(dc, b.text.c_str(), length, &r, format);
}

void drawArrow(rt::Object& self, const SplitButton& b, HDC dc, const RECT& client) {
    const bool onRight = flagMember(self, "lMenuOnRight");
    Owned<HBITMAP> loaded(LoadBitmapA(nullptr, MAKEINTRESOURCEA(onRight ? kMenuArrowGlyph : kComboGlyph)));
    if (!loaded) return;
    Owned<HBITMAP> whitened(onRight ? VP_GetBmpTransparent(loaded.get(), RGB(255, 255, 255)) : nullptr);
    HBITMAP glyph = onRight ? whitened.get() : loaded.get();
    if (!glyph) return;
    const int left = client.right - kArrowInset;
    const int top = (client.bottom - kArrowSize) / 2 + (onRight ? 2 : 0);
    if (b.disabled) {
        VP_DrawBmpDisabled(dc, left, top, glyph);
    } else {
        VP_DrawBmpTransparent(dc, left, top, glyph);
    }
}

void drawButton(rt::Object& self, const SplitButton& b, HDC dc) {
    const RECT client = clientRect(b.window);
    RECT r = drawFace(self, b, dc, client);
    InflateRect(&r, -3, -3);
    int imageWidth = 0, imageHeight = 0;
    if (b.images) ImageList_GetIconSize(b.images, &imageWidth, &imageHeight);
    Selected useFont(dc, handleMember<HFONT>(self, "oFont"));

    const UINT format = textFormat(self);
    const int64_t orientation = intMember(self, "nOrientation");
    RECT measured{0, 0, r.right - (orientation == 2 || orientation == 3 ? imageWidth : 0), 0};
    const int textHeight = DrawTextA(dc, b.text.c_str(), static_cast<int>(b.text.size()), &measured, format | DT_CALCRECT);
    if (b.menu) r.right -= kMenuWidth + (b.split ? 2 : 0);

    const SplitButtonContent content =
        splitButtonContent({r.left, r.top, r.right, r.bottom}, imageWidth, imageHeight, b.images != nullptr,
                           measured.right, textHeight, !b.text.empty(), intMember(self, "nMargin"), orientation,
                           intMember(self, "nVAlignment"));
    if (content.image) {
        const int shift = b.look.shift ? 1 : 0;
        ImageList_Draw(b.images, b.look.image, dc, static_cast<int>(content.image->x) + shift,
                       static_cast<int>(content.image->y) + shift, ILD_TRANSPARENT);
    }
    drawCaption(self, b, dc, toRECT(content.text), format);

    if (b.split) {
        line(dc, GetSysColor(COLOR_BTNSHADOW), {client.right - kDividerInset, client.top + 6},
             {client.right - kDividerInset, client.bottom - 6});
        line(dc, GetSysColor(COLOR_BTNFACE), {client.right - kDividerInset + 1, client.top + 6},
             {client.right - kDividerInset + 1, client.bottom - 6});
    }
    if (b.menu) drawArrow(self, b, dc, client);
    if ((b.buttonState & BST_FOCUS) && flagMember(self, "lTabStop")) {
        RECT focus = client;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace

Value XSPLITBUTTON_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    if (!window) return Value(0);
    const SplitButton button = readButton(self, window);
    return inPaintFrame(self, args, [&](HWND, HDC dc) { drawButton(self, button, dc); });
}

}  // namespace vorpex
