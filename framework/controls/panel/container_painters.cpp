#include "framework/controls/panel/container_painters.h"

#include <windows.h>

#include <string>

#include "framework/core/gdi/gdi_guards.h"
#include "framework/core/native/windows_version.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

constexpr int kGroupBoxPart = 4, kPanelPart = 1, kPanelState = 2;
constexpr int64_t kRaised = 3, kSunken = 4;
constexpr int kStylesVersion = 0x600;  // visual styles 6: the face under a themed panel is filled first

template <typename H>
H handleFrom(const Value& v) {
    return reinterpret_cast<H>(static_cast<intptr_t>(v.asInteger()));
}
HWND windowArg(rt::Args a) { return handleFrom<HWND>(rt::arg(a, 2)); }
HDC dcArg(rt::Args a) { return handleFrom<HDC>(rt::arg(a, 0)); }

Value dcValue(HDC dc) { return Value(static_cast<long long>(reinterpret_cast<intptr_t>(dc))); }

int64_t integer(rt::Object& self, const char* name) { return rt::send(self, name).asInteger(); }

// A font handle of the control: its own oFont, else the one GetFont answers (the parent's).
HFONT fontOf(rt::Object& self, bool ownFirst) {
    if (ownFirst)
        if (intptr_t h = handleOf(rt::send(self, "oFont"))) return reinterpret_cast<HFONT>(h);
    const Value font = rt::send(self, "GetFont");
    if (font.isNumber()) return handleFrom<HFONT>(font);
    return reinterpret_cast<HFONT>(handleOf(font));
}

int windowsVersionNumber() {
    const WindowsVersion v = windowsVersion();
    return static_cast<int>(v.major * 256 + v.minor);
}

// The caption box of a group box over `client` for a caption of cx by cy.
RECT captionRect(const RECT& client, int64_t alignment, SIZE text) {
    RECT c{0, client.top, 0, client.top + text.cy + 2};
    if (alignment == 2) {
        c.right = client.right - 7;
        c.left = c.right - text.cx - 4;
    } else if (alignment == 6) {
        c.left = (client.right + client.left - text.cx - 4) / 2;
        c.right = c.left + text.cx + 4;
    } else {
        c.left = client.left + 7;
        c.right = client.left + text.cx + 11;
    }
    return c;
}

void drawGroupBox(rt::Object& self, HWND window, HDC dc) {
    const theme::HTHEMEHANDLE themeHandle = theme::getWindowTheme(window);
    const std::string text = rt::send(self, "cText").asString();
    const bool disabled = (GetWindowLongA(window, GWL_STYLE) & WS_DISABLED) != 0;
    RECT client{};
    GetClientRect(window, &client);
    VP_DrawControlBackground(self, dc, client);

    win::Selected font(dc, fontOf(self, true));
    const int64_t alignment = integer(self, "nAlignment");
    RECT frame = client, caption{};
    if (!text.empty()) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        caption = captionRect(client, alignment, size);
        frame.top += size.cy / 2;  // the frame line runs through the middle of the caption
    }
    if (themeHandle) {
        const int state = disabled ? 2 : 1;
        if (!text.empty()) ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
        theme::drawThemeBackground(themeHandle, dc, kGroupBoxPart, state, &frame, nullptr);
        SelectClipRgn(dc, nullptr);
        if (text.empty()) return;
        caption.left += alignment == 2 ? 4 : alignment == 6 ? 2 : 1;
        std::wstring wide(text.size(), L'\0');
        const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(),
                                          static_cast<int>(wide.size()));
        if (n > 0) theme::drawThemeText(themeHandle, dc, kGroupBoxPart, state, wide.c_str(), n, DT_CENTER, 0, &caption);
        return;
    }
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty()) return;
    HBRUSH brush = reinterpret_cast<HBRUSH>(handleOf(rt::send(self, "oBrush")));
    // Without a brush of its own the caption takes the colour the control answers for its background, so
    // the frame line never shows through the caption.
    if (!brush) brush = handleFrom<HBRUSH>(rt::send(self, "GetCtlColor", {dcValue(dc)}));
    if (brush) FillRect(dc, &caption, brush);
    InflateRect(&caption, -2, -1);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = GetTextColor(dc);
    const int length = static_cast<int>(text.size());
    if (disabled) {
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        TextOutA(dc, caption.left + 1, caption.top + 1, text.c_str(), length);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, static_cast<COLORREF>(integer(self, "nClrText")));
    }
    TextOutA(dc, caption.left, caption.top, text.c_str(), length);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}

void fillFace(HDC dc, const RECT& r) { FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE)); }

void drawThemedPanel(HWND window, HDC dc, theme::HTHEMEHANDLE themeHandle, bool painting, RECT r) {
    const bool newer = windowsVersionNumber() >= kStylesVersion;
    if (!painting) {
        if (newer) fillFace(dc, r);
        theme::drawThemeBackground(themeHandle, dc, kPanelPart, kPanelState, &r, nullptr);
        return;
    }
    const RECT original = r;
    if (newer) {
        fillFace(dc, r);
        r.top -= 1;
        r.bottom += 1;
    }
    // Only the four corner pixels keep the parent's background: the themed face is rounded there.
    ExcludeClipRect(dc, original.left, original.top + 1, original.right, original.bottom - 1);
    ExcludeClipRect(dc, original.left + 1, original.top, original.right - 1, original.bottom);
    theme::drawThemeParentBackground(window, dc, &original);
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    theme::drawThemeBackground(themeHandle, dc, kPanelPart, kPanelState, &r, nullptr);
    SelectClipRgn(dc, nullptr);
}

void drawPanelCaption(rt::Object& self, HDC dc, const RECT& client) {
    const std::string text = rt::send(self, "cText").asString();
    if (text.empty()) return;
    win::Selected font(dc, fontOf(self, false));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SetTextAlign(dc, TA_CENTER);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(integer(self, "nClrText")));
    ExtTextOutA(dc, client.right / 2, (client.bottom - tm.tmHeight) / 2, ETO_CLIPPED, &client, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    SetBkMode(dc, previousMode);
    SetTextAlign(dc, 0);
}

void drawBevel(HDC dc, RECT& r, int64_t kind, HBRUSH brush) {
    if (kind == kRaised)
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
    else if (kind == kSunken)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (brush)
        FrameRect(dc, &r, brush);
    InflateRect(&r, -1, -1);
}

}  // namespace

Value XGROUPBOX_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    ControlPaintState state;
    if (VP_ControlBeginPaint(self, window, state, dcArg(args))) drawGroupBox(self, window, state.hDC);
    VP_ControlEndPaint(self, window, state);
    return Value(0);
}

Value XGROUPBOX_WMPRINTCLIENT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    HDC dc = dcArg(args);
    if (!window || !dc) return Value(0);
    // Printed by drawing, not by sending WM_PRINTCLIENT to itself: this very method would answer it again.
    HGDIOBJ keptFont = GetCurrentObject(dc, OBJ_FONT);
    drawGroupBox(self, window, dc);
    SelectObject(dc, keptFont);
    return Value(0);
}

Value XPANEL_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    const auto message = static_cast<UINT>(rt::arg(args, 3).asInteger());
    HDC dc = dcArg(args);
    ControlPaintState state;
    const bool buffered = dc == nullptr;
    if (buffered) dc = VP_BeginBufferedPaint(window, state);
    if (dc) {
        RECT client{};
        GetClientRect(window, &client);
        if (theme::HTHEMEHANDLE themeHandle = theme::getWindowTheme(window))
            drawThemedPanel(window, dc, themeHandle, message == WM_PAINT, client);
        else
            VP_DrawControlBackground(self, dc, client);
        drawPanelCaption(self, dc, client);
    }
    if (buffered) VP_EndBufferedPaint(window, state);
    PaintSelected();
    return Value(message == WM_ERASEBKGND ? 1 : 0);
}

Value XPANEL_WMNCPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    if (!window) return Value(0);
    if (theme::getWindowTheme(window)) {
        prevWindowProc(reinterpret_cast<intptr_t>(window), WM_NCPAINT,
                       static_cast<uintptr_t>(rt::arg(args, 0).asInteger()),
                       static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
        return Value(0);
    }
    HDC dc = GetWindowDC(window);
    if (!dc) return Value(0);
    RECT r{};
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
    HBRUSH brush = handleFrom<HBRUSH>(rt::send(self, "GetCtlColor", {dcValue(dc)}));
    drawBevel(dc, r, integer(self, "nBevelOuter"), brush);
    drawBevel(dc, r, integer(self, "nBevelInner"), brush);
    ReleaseDC(window, dc);
    return Value(0);
}

Value XPANEL_WMNCCALCSIZE(rt::Object&, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    if (!rt::arg(args, 0).asInteger() || theme::getWindowTheme(window)) return {};
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (params) InflateRect(&params->rgrc[0], -2, -2);  // room for the two bevels
    return {};  // the default processing follows
}

}  // namespace vorpex
