#include "framework/controls/painters/std_painters.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "framework/controls/control_rules.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

template <typename H>
H handleFrom(const Value& v) {
    return reinterpret_cast<H>(static_cast<intptr_t>(v.asInteger()));
}
HWND windowArg(rt::Args a) { return handleFrom<HWND>(rt::arg(a, 2)); }
HDC dcArg(rt::Args a) { return handleFrom<HDC>(rt::arg(a, 0)); }

// The control's own handling of a message that carries a device context.
LRESULT ownPaint(HWND window, UINT message, HDC dc, LPARAM lParam = 0) {
    return prevWindowProc(reinterpret_cast<intptr_t>(window), message, reinterpret_cast<uintptr_t>(dc), lParam);
}

// Runs `draw` inside the control paint frame.
template <typename F>
Value inPaintFrame(rt::Object& self, rt::Args args, F draw) {
    HWND window = windowArg(args);
    ControlPaintState state;
    if (VP_ControlBeginPaint(self, window, state, dcArg(args))) draw(window, state.hDC);
    VP_ControlEndPaint(self, window, state);
    return Value(0);
}

constexpr int kCheckBox = BS_CHECKBOX, kRadio = BS_RADIOBUTTON, kThreeState = BS_3STATE;

RECT toRect(const stdctl::Box& b) {
    return {static_cast<LONG>(b.left), static_cast<LONG>(b.top), static_cast<LONG>(b.right), static_cast<LONG>(b.bottom)};
}

UINT frameState(int type, LRESULT buttonState, bool enabled) {
    UINT state = DFCS_TRANSPARENT | (type == kCheckBox ? DFCS_BUTTONCHECK : type == kRadio ? DFCS_BUTTONRADIO : DFCS_BUTTON3STATE);
    if (buttonState & BST_CHECKED) state |= DFCS_CHECKED;
    if ((buttonState & BST_INDETERMINATE) || !enabled) state |= DFCS_INACTIVE;
    if (buttonState & BST_PUSHED) state |= DFCS_PUSHED;
    return state;
}

// A check box, radio button or 3-state box drawn by the framework (visual styles off).
void drawCheckBox(rt::Object& self, HWND window, HDC dc, int type) {
    RECT client{};
    GetClientRect(window, &client);
    if (rt::send(self, "lTransparent").asLogical()) {
        VP_DrawParentBackground(window, dc, nullptr);
    } else if (HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(window), WM_CTLCOLORBTN,
                                                                    reinterpret_cast<WPARAM>(dc),
                                                                    reinterpret_cast<LPARAM>(window)))) {
        FillRect(dc, &client, brush);
    }
    const LRESULT buttonState = prevWindowProc(reinterpret_cast<intptr_t>(window), BM_GETSTATE, 0, 0);
    const UINT state = frameState(type, buttonState, IsWindowEnabled(window));
    const int mode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previousFont = nullptr;
    if (const intptr_t font = handleOf(rt::send(self, "GetFont"))) previousFont = SelectObject(dc, reinterpret_cast<HFONT>(font));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const auto layout = stdctl::checkBoxLayout(client.right, client.bottom, tm.tmAveCharWidth,
                                               rt::send(self, "nAlignment").asInteger(),
                                               rt::send(self, "nVAlignment").asInteger());
    const UINT format = rt::send(self, "lMultiLine").asLogical() ? DT_WORDBREAK : 0;
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    RECT area = toRect(layout.text), measured = area;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    const LONG textHeight = measured.bottom - measured.top;
    area.top = static_cast<LONG>(stdctl::checkTextTop(client.bottom, textHeight, rt::send(self, "nVAlignment").asInteger()));
    area.bottom = area.top + textHeight;
    if (state & DFCS_INACTIVE) {
        // Embossed: a light copy one pixel down and right under the grey text.
        RECT shadow = area;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        const Value colour = rt::send(self, "nClrText");
        SetTextColor(dc, colour.isNumber() ? static_cast<COLORREF>(colour.asInteger()) : GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    if (buttonState & BST_FOCUS) {
        RECT focus = {area.left, area.top, std::min(area.left + (measured.right - measured.left), area.right), area.bottom + 1};
        InflateRect(&focus, 1, 1);
        IntersectRect(&focus, &focus, &client);
        DrawFocusRect(dc, &focus);
    }
    RECT box = toRect(layout.box);
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
    if (previousFont) SelectObject(dc, previousFont);
    SetBkMode(dc, mode);
}

void pushWhenPushed(rt::Object& self, HWND window, int type) {
    if (type <= BS_DEFPUSHBUTTON && rt::send(self, "lPushed").asLogical())
        prevWindowProc(reinterpret_cast<intptr_t>(window), BM_SETSTATE, 1, 0);
}

}  // namespace

Value XBUTTON_NOTIFY(rt::Object&, const rt::Method&, rt::Args args) {
    constexpr LRESULT kCustomDrawAnswer = 0x70;  // post-erase, item draw and post-paint notifications
    const auto* header = reinterpret_cast<const NMHDR*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW)) return {};
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage == CDDS_PREERASE) theme::drawThemeParentBackground(header->hwndFrom, draw->hdc, &draw->rc);
    return Value(static_cast<long long>(kCustomDrawAnswer));
}

Value XBUTTON_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    if (!window) return Value(0);
    ControlPaintState state;
    HDC dc = dcArg(args);
    const bool buffered = dc == nullptr;
    if (buffered) dc = VP_BeginBufferedPaint(window, state);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const int type = static_cast<int>(style & BS_TYPEMASK);
    const bool selfDrawn = !(style & BS_PUSHLIKE) && (type == kCheckBox || type == kRadio || type == kThreeState);
    if (dc && lThemesEnabled() && type <= BS_DEFPUSHBUTTON) {
        pushWhenPushed(self, window, type);
        RECT client{};
        GetClientRect(window, &client);
        theme::drawThemeParentBackground(window, dc, &client);
        HRGN rounded = CreateRoundRectRgn(client.left, client.top, client.right, client.bottom, 1, 1);
        SelectClipRgn(dc, rounded);
        ownPaint(window, WM_PAINT, dc);
        SelectClipRgn(dc, nullptr);
        DeleteObject(rounded);
    } else if (dc && (lThemesEnabled() || !selfDrawn)) {
        pushWhenPushed(self, window, type);
        ownPaint(window, WM_PAINT, dc);
    } else if (dc) {
        drawCheckBox(self, window, dc, type);
    }
    if (buffered) VP_EndBufferedPaint(window, state);
    PaintSelected();
    return Value(0);
}

Value XEDIT_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    return inPaintFrame(self, args, [](HWND window, HDC dc) {
        // A disabled edit paints in its normal colours: it is enabled just for the paint, and the paint that
        // enabling asks for is taken back, so the edit never repaints itself in a loop.
        const bool disabled = !IsWindowEnabled(window);
        if (disabled) EnableWindow(window, TRUE);
        ownPaint(window, WM_ERASEBKGND, dc);
        ownPaint(window, WM_PAINT, dc);
        if (disabled) EnableWindow(window, FALSE);
        ValidateRect(window, nullptr);
    });
}

Value XCOMBOBOX_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    return inPaintFrame(self, args, [&self](HWND window, HDC dc) {
        const intptr_t edit = handleOf(rt::send(self, "oEditField"));
        if (edit && theme::getWindowTheme(window)) {
            // The edit part first, into the same DC at its place in the combo box; then kept out of the combo's
            // own painting.
            RECT r{};
            GetWindowRect(reinterpret_cast<HWND>(edit), &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            POINT origin{};
            OffsetViewportOrgEx(dc, r.left, r.top, &origin);
            SendMessageA(reinterpret_cast<HWND>(edit), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
            SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
            ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
        ownPaint(window, WM_PAINT, dc);
        SelectClipRgn(dc, nullptr);
    });
}

Value XLISTBOX_WMPRINTCLIENT(rt::Object&, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    HDC dc = dcArg(args);
    if (!window || !dc) return Value(0);
    ownPaint(window, WM_ERASEBKGND, dc);
    ownPaint(window, WM_PRINTCLIENT, dc, PRF_CLIENT | PRF_ERASEBKGND);
    return Value(0);
}

}  // namespace vorpex
