// The date edit's drop-down button and the button of an edit with a button, each beside the edit's own
// painting of its text part.
#include <windows.h>

#include "framework/controls/painters/further_painters.h"
#include "framework/controls/painters/painter_support.h"
#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/gdi/win_gdi.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/window_proc.h"

namespace vorpex {

using rt::Value;
using namespace painters;

namespace {

constexpr int64_t kPressed = 3;
constexpr int kComboDropDownPart = 1;
constexpr int kPictureButton = 1, kEllipsisButton = 2, kArrowButton = 3;
constexpr WORD kComboGlyph = 32738;  // OBM_COMBO

// What the button edits share: the window, its state and the members every kind reads.
struct ButtonEdit {
    HWND window;
    bool disabled;
    int64_t state;
    int64_t buttonWidth;
    RECT client;
};

ButtonEdit readButtonEdit(rt::Object& self, HWND window, bool dropped) {
    return {window, !IsWindowEnabled(window), dropped ? kPressed : intMember(self, "nBtnState"),
            intMember(self, "nBtnWidth"), clientRect(window)};
}

// The edit's own painting of its text part, clipped to `right` when given. A disabled edit paints in its
// normal colours: it is enabled just for the paint, and the paint that asks for is taken back so that the
// edit never repaints itself in a loop.
void paintEditPart(const ButtonEdit& e, HDC dc, std::optional<LONG> right) {
    std::optional<Clipped> clip;
    if (right) clip.emplace(dc, RECT{0, 0, *right, e.client.bottom});
    if (e.disabled) EnableWindow(e.window, TRUE);
    prevWindowProc(reinterpret_cast<intptr_t>(e.window), WM_PAINT, reinterpret_cast<uintptr_t>(dc), 0);
    if (e.disabled) {
        EnableWindow(e.window, FALSE);
        ValidateRect(e.window, nullptr);
    }
}

// The framed face of an inclusive button rectangle; answers its inside.
RECT framedButton(HDC dc, RECT r, int64_t state) {
    FillRect(dc, &r, systemBrush(COLOR_BTNFACE));
    const Rect box{r.left, r.top, r.right, r.bottom};
    if (state == kPressed) {
        win::drawSunkenBox(dc, box);
    } else {
        win::drawRaisedBox(dc, box);
    }
    InflateRect(&r, -1, -1);
    return r;
}

// A picture in the button: centred at the normal scale, stretched smoothly at any other.
void drawButtonPicture(HDC dc, HBITMAP bitmap, RECT r) {
    VP_DrawBitmap(dc, bitmap, &r, appScale() == 100 ? 1 : 4, nullptr);
}

void drawEllipsis(HDC dc, RECT r, bool disabled) {
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previous = disabled ? SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT)) : CLR_INVALID;
    r.left += 2;
    DrawTextA(dc, "...", 3, &r, DT_SINGLELINE | DT_CENTER);
    SetBkMode(dc, mode);
    if (previous != CLR_INVALID) SetTextColor(dc, previous);
}

// A glyph in the button's bottom-right corner, greyed when disabled.
void drawCornerGlyph(HDC dc, const RECT& r, HBITMAP glyph, bool disabled) {
    const SIZE size = bitmapSize(glyph);
    if (disabled) {
        VP_DrawBmpDisabled(dc, r.right - size.cx, r.bottom - size.cy, glyph);
    } else {
        VP_DrawBmpTransparent(dc, r.right - size.cx, r.bottom - size.cy, glyph);
    }
}

void drawArrow(HDC dc, const RECT& r, bool disabled) {
    Owned<HBITMAP> loaded(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kComboGlyph)));
    if (!loaded) return;
    Owned<HBITMAP> glyph(VP_GetBmpTransparent(loaded.get(), RGB(255, 255, 255)));
    if (glyph) drawCornerGlyph(dc, r, glyph.get(), disabled);
}

void drawButtonKind(rt::Object& self, HDC dc, const RECT& inside, bool disabled) {
    switch (intMember(self, "nStyle")) {
        case kPictureButton: {
            // Without a picture there is nothing to grey or centre.
            HBITMAP bitmap = handleMember<HBITMAP>(self, "oBitmap");
            if (!bitmap) break;
            if (disabled) {
                const SIZE size = bitmapSize(bitmap);
                VP_DrawBmpDisabled(dc, inside.right - size.cx, inside.bottom - size.cy, bitmap);
            } else {
                drawButtonPicture(dc, bitmap, inside);
            }
            break;
        }
        case kEllipsisButton: drawEllipsis(dc, inside, disabled); break;
        case kArrowButton: drawArrow(dc, inside, disabled); break;
        default: break;
    }
}

}  // namespace

Value XDATEEDIT_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    if (!window) return Value(0);
    const ButtonEdit e = readButtonEdit(self, window, flagMember(self, "lDropped"));
    HBITMAP bitmap = handleMember<HBITMAP>(self, "oBitmap");
    {
        PaintScope paint(window, dcArg(args));
        if (HDC dc = paint.dc()) {
            SavedDC saved(dc);
            const LONG left = static_cast<LONG>(e.client.right - e.buttonWidth);
            paintEditPart(e, dc, left + 1);
            RECT button{left, 0, e.client.right, e.client.bottom};
            if (bitmap) {
                drawButtonPicture(dc, bitmap, framedButton(dc, {button.left, 0, button.right - 1, button.bottom - 1}, e.state));
            } else if (lThemesEnabled()) {
                const theme::HTHEMEHANDLE combo = theme::openThemeData(window, L"Combobox");
                theme::drawThemeBackground(combo, dc, kComboDropDownPart, static_cast<int>(e.state), &button, nullptr);
                theme::closeThemeData(combo);
            } else {
                DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLDOWN | (e.state == kPressed ? DFCS_PUSHED : 0));
            }
        }
    }
    PaintSelected();
    return Value(0);
}

Value XEDITBTN_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    if (!window) return Value(0);
    const ButtonEdit e = readButtonEdit(self, window, false);
    {
        PaintScope paint(window, dcArg(args));
        if (HDC dc = paint.dc()) {
            SavedDC saved(dc);
            if (e.buttonWidth == 0) {
                paintEditPart(e, dc, std::nullopt);
            } else {
                const LONG left = static_cast<LONG>(e.client.right - e.buttonWidth);
                paintEditPart(e, dc, left + 4);
                const bool styleDisabled = (GetWindowLongA(window, GWL_STYLE) & WS_DISABLED) != 0;
                const RECT inside = framedButton(dc, {left, 0, e.client.right - 1, e.client.bottom - 1}, e.state);
                drawButtonKind(self, dc, inside, styleDisabled);
            }
        }
    }
    PaintSelected();
    return Value(0);
}

}  // namespace vorpex
