#include "framework/core/paint/control_paint.h"

#include <string>

#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/event.h"
#include "framework/core/paint/paint_math.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

// The messages the frame sends, interned once.
struct Messages {
    rt::Symbol onPaint = rt::Symbol::intern("OnPaint");
    rt::Symbol onPainted = rt::Symbol::intern("OnPainted");
    rt::Symbol getCtlColor = rt::Symbol::intern("GetCtlColor");
    rt::Symbol getFont = rt::Symbol::intern("GetFont");
    rt::Symbol handle = rt::Symbol::intern("Handle");
    rt::Symbol transparent = rt::Symbol::intern("lTransparent");
    rt::Symbol bkgnd = rt::Symbol::intern("hBkgnd");
    rt::Symbol setBkgnd = rt::Symbol::intern("_hBkgnd");
    rt::Symbol picture = rt::Symbol::intern("oBkgnd");
    rt::Symbol mode = rt::Symbol::intern("nBkgndMode");
    rt::Symbol clientLeft = rt::Symbol::intern("nClientLeft");
    rt::Symbol clientTop = rt::Symbol::intern("nClientTop");
    rt::Symbol text = rt::Symbol::intern("cText");
    rt::Symbol textColor = rt::Symbol::intern("nClrText");
    rt::Symbol alignment = rt::Symbol::intern("nAlignment");
    rt::Symbol vAlignment = rt::Symbol::intern("nVAlignment");
    rt::Symbol borderStyle = rt::Symbol::intern("nBorderStyle");
};

const Messages& msg() {
    static const Messages m;
    return m;
}

rt::Value read(rt::Object& o, rt::Symbol s, rt::Args args = {}) {
    return o.objectClass().understands(s) ? rt::send(o, s, args) : rt::Value();
}
rt::Value read(const rt::Value& o, rt::Symbol s) {
    auto object = o.deref().asObject();
    return object ? read(*object, s) : rt::Value();
}

template <class T>
T handleFrom(const rt::Value& v) {
    return reinterpret_cast<T>(static_cast<intptr_t>(v.deref().asInteger()));
}
using win::handleValue;

HWND windowArg(rt::Args a) { return handleFrom<HWND>(rt::arg(a, 2)); }
HDC dcArg(rt::Args a) { return handleFrom<HDC>(rt::arg(a, 0)); }

rt::Value paintEvent(rt::Object& control, rt::Symbol event, HDC dc, PAINTSTRUCT& ps) {
    const rt::Value args[] = {handleValue(dc), handleValue(&ps)};
    return read(control, event, args);
}

HBRUSH ctlColorBrush(rt::Object& control, HDC dc) {
    const rt::Value args[] = {handleValue(dc)};
    return handleFrom<HBRUSH>(read(control, msg().getCtlColor, args));
}

// Fills a fresh buffer with what the parent would give a static child, so that areas nobody paints do not
// show black; the button face when the parent says nothing.
void prefill(HWND window, HDC dc, int width, int height) {
    HWND parent = GetParent(window);
    auto brush = parent ? reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC,
                                                                reinterpret_cast<WPARAM>(dc),
                                                                reinterpret_cast<LPARAM>(window)))
                        : nullptr;
    RECT all{0, 0, width, height};
    FillRect(dc, &all, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

// Mode 3: keeps a copy of the picture stretched to the rectangle in hBkgnd and answers it.
HBITMAP stretchedBackground(rt::Object& control, HBITMAP current, const RECT& r) {
    const int width = r.right - r.left + 1, height = r.bottom - r.top + 1;
    const SIZE now = bitmapSize(current);
    if (paint::stretchedCopyFits(now.cx, now.cy, width, height)) return current;
    auto source = handleFrom<HBITMAP>(read(read(control, msg().picture), msg().handle));
    const SIZE size = bitmapSize(source);
    if (!source || !size.cx || !size.cy || width <= 0 || height <= 0) return nullptr;
    HDC display = GetDC(nullptr);
    HBITMAP stretched = CreateCompatibleBitmap(display, width, height);
    HDC from = CreateCompatibleDC(display), to = CreateCompatibleDC(display);
    ReleaseDC(nullptr, display);
    HGDIOBJ oldFrom = SelectObject(from, source), oldTo = SelectObject(to, stretched);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, size.cx, size.cy, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    // The picture's own bitmap belongs to the picture.
    if (current && current != source) DeleteObject(current);
    const rt::Value handle[] = {handleValue(stretched)};
    read(control, msg().setBkgnd, handle);
    return stretched;
}

}  // namespace

HDC VP_BeginBufferedPaint(HWND window, ControlPaintState& state) {
    state.windowDC = ::BeginPaint(window, &state.ps);
    if (!state.windowDC) return nullptr;
    const int width = state.ps.rcPaint.right, height = state.ps.rcPaint.bottom;
    // Nothing to update (or nothing a bitmap could hold): draw straight into the window's DC.
    if (IsRectEmpty(&state.ps.rcPaint) || width <= 0 || height <= 0) return state.windowDC;
    state.memoryDC = CreateCompatibleDC(nullptr);
    state.memoryBitmap = state.memoryDC ? CreateCompatibleBitmap(state.windowDC, width, height) : nullptr;
    if (!state.memoryBitmap) {
        if (state.memoryDC) DeleteDC(state.memoryDC);
        state.memoryDC = nullptr;
        return state.windowDC;
    }
    state.previousBitmap = SelectObject(state.memoryDC, state.memoryBitmap);
    prefill(window, state.memoryDC, width, height);
    return state.memoryDC;
}

BOOL VP_EndBufferedPaint(HWND window, ControlPaintState& state) {
    if (state.memoryDC) {
        BitBlt(state.windowDC, 0, 0, state.ps.rcPaint.right, state.ps.rcPaint.bottom, state.memoryDC, 0, 0,
               SRCCOPY);
        SelectObject(state.memoryDC, state.previousBitmap);
        DeleteObject(state.memoryBitmap);
        DeleteDC(state.memoryDC);
    }
    const BOOL ended = state.windowDC ? ::EndPaint(window, &state.ps) : FALSE;
    state.memoryDC = nullptr;
    state.memoryBitmap = nullptr;
    state.previousBitmap = nullptr;
    state.windowDC = nullptr;
    return ended;
}

int VP_ControlBeginPaint(rt::Object& control, HWND window, ControlPaintState& state, HDC given) {
    state.hDC = given;
    state.dcHandedIn = given ? 1 : 0;
    if (!given) state.hDC = VP_BeginBufferedPaint(window, state);
    if (!state.hDC) {
        state.paintDefault = 0;
        return 0;
    }
    state.paintDefault = paint::paintDefault(paintEvent(control, msg().onPaint, state.hDC, state.ps)) ? 1 : 0;
    return state.paintDefault;
}

void VP_ControlEndPaint(rt::Object& control, HWND window, ControlPaintState& state) {
    if (state.paintDefault) paintEvent(control, msg().onPainted, state.hDC, state.ps);
    if (!state.dcHandedIn) VP_EndBufferedPaint(window, state);
    PaintSelected();
}

void VP_DrawParentBackground(HWND window, HDC dc, const POINT* screenPoint) {
    HWND parent = GetParent(window);
    if (!parent || !dc) return;
    POINT p;
    if (screenPoint) {
        p = *screenPoint;
    } else {
        RECT wr;
        GetWindowRect(window, &wr);
        p = {wr.left, wr.top};
    }
    POINT inParent = p, inControl = p;
    ::ScreenToClient(parent, &inParent);
    ::ScreenToClient(window, &inControl);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + inControl.x - inParent.x, origin.y + inControl.y - inParent.y, nullptr);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

void VP_DrawControlBackground(rt::Object& control, HDC dc, const RECT& rect) {
    if (read(control, msg().transparent).asLogical()) {
        VP_DrawParentBackground(reinterpret_cast<HWND>(handleOf(control)), dc, nullptr);
        return;
    }
    auto bitmap = handleFrom<HBITMAP>(read(control, msg().bkgnd));
    HBRUSH brush = ctlColorBrush(control, dc);
    if (!bitmap) {
        if (brush) FillRect(dc, &rect, brush);
        return;
    }
    int mode = static_cast<int>(read(control, msg().mode).asInteger());
    const int left = static_cast<int>(read(control, msg().clientLeft).asInteger());
    const int top = static_cast<int>(read(control, msg().clientTop).asInteger());
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + left, origin.y + top, nullptr);
    RECT r{rect.left, rect.top, rect.right - left - 1, rect.bottom - top - 1};
    if (mode == 3) {
        if (HBITMAP stretched = stretchedBackground(control, bitmap, r)) {
            bitmap = stretched;
            mode = 0;
        }
    }
    VP_DrawBitmap(dc, bitmap, &r, mode, brush);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

void VP_DrawControlText(rt::Object& control, HDC dc, const RECT& rect, UINT format) {
    const rt::Value text = read(control, msg().text);
    if (!text.isString() || text.asString().empty()) return;
    const std::string& s = text.asString();
    auto font = handleFrom<HFONT>(read(read(control, msg().getFont), msg().handle));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(read(control, msg().textColor).asInteger()));
    RECT r{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    format |= paint::horizontalFormat(read(control, msg().alignment).asInteger());
    if (const int64_t vAlign = read(control, msg().vAlignment).asInteger()) {
        RECT measured = r;
        DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &measured, format | DT_CALCRECT);
        r.top = static_cast<LONG>(paint::textTop(r.top, r.bottom, measured.bottom, vAlign));
    }
    DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &r, format);
    if (oldFont) SelectObject(dc, oldFont);
}

void PaintSelected() {}

bool lThemesEnabled() { return theme::isAppThemed(); }

rt::Value XCONTROL_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    if (!VP_EventAssigned(self, "OnPaint")) return {};
    HWND window = windowArg(args);
    HDC given = dcArg(args);
    PAINTSTRUCT ps{};
    HDC dc = given ? given : ::BeginPaint(window, &ps);
    paintEvent(self, msg().onPaint, dc, ps);
    paintEvent(self, msg().onPainted, dc, ps);
    if (!given) ::EndPaint(window, &ps);
    PaintSelected();
    return rt::Value(0);
}

rt::Value XCONTROL_WMPRINTCLIENT(rt::Object& self, const rt::Method&, rt::Args args) {
    RECT r{};
    GetClientRect(windowArg(args), &r);
    VP_DrawControlBackground(self, dcArg(args), r);
    return rt::Value(0);
}

rt::Value XCONTROL_WMNCPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    if (!window) return {};
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    const paint::BorderSpec border = paint::borderFor(read(self, msg().borderStyle).asInteger(),
                                                      style & WS_BORDER, exStyle & WS_EX_CLIENTEDGE);
    auto region = static_cast<WPARAM>(rt::arg(args, 0).asInteger());
    HRGN made = nullptr;
    RECT box;
    if (border.width && region > 1) {
        const int kind = GetRgnBox(reinterpret_cast<HRGN>(region), &box);
        if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
            made = CreateRectRgn(box.left, box.top, box.right + border.width, box.bottom + border.width);
            region = reinterpret_cast<WPARAM>(made);
        }
    }
    prevWindowProc(reinterpret_cast<intptr_t>(window), WM_NCPAINT, region,
                   static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (made) DeleteObject(made);

    HDC dc = GetWindowDC(window);
    RECT wr;
    GetWindowRect(window, &wr);
    OffsetRect(&wr, -wr.left, -wr.top);
    if ((style & WS_HSCROLL) && (style & WS_VSCROLL)) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        RECT corner{wr.right - border.width - metrics.iScrollWidth, wr.bottom - border.width - metrics.iScrollHeight,
                    wr.right - border.width, wr.bottom - border.width};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (border.width && border.edge) DrawEdge(dc, &wr, border.edge, border.flags);
    ReleaseDC(window, dc);
    PaintSelected();
    return rt::Value(0);
}

rt::Value XCONTROL_WMNCCALCSIZE(rt::Object& self, const rt::Method&, rt::Args args) {
    if (!rt::arg(args, 0).asInteger()) return {};
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    const int shrink = paint::ncShrink(read(self, msg().borderStyle).asInteger());
    if (params && shrink) InflateRect(&params->rgrc[0], -shrink, -shrink);
    return {};
}

rt::Value XWINCONTROL_WMERASEBKGND(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    ControlPaintState state;
    if (VP_ControlBeginPaint(self, window, state, dcArg(args))) {
        RECT r{};
        GetClientRect(window, &r);
        VP_DrawControlBackground(self, state.hDC, r);
    }
    VP_ControlEndPaint(self, window, state);
    return rt::Value(rt::arg(args, 3).asInteger() == WM_ERASEBKGND ? 1 : 0);
}

rt::Value XCONTROL_ERASEANDPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    const auto h = reinterpret_cast<intptr_t>(window);
    ControlPaintState state;
    if (VP_ControlBeginPaint(self, window, state, dcArg(args))) {
        const auto dc = reinterpret_cast<uintptr_t>(state.hDC);
        if (read(self, msg().transparent).asLogical())
            VP_DrawParentBackground(window, state.hDC, nullptr);
        else
            prevWindowProc(h, WM_ERASEBKGND, dc, 0);
        prevWindowProc(h, WM_PAINT, dc, 0);
    }
    VP_ControlEndPaint(self, window, state);
    return rt::Value(0);
}

rt::Value XCONTROL_ERASESOLIDANDPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    ControlPaintState state;
    if (VP_ControlBeginPaint(self, window, state, dcArg(args))) {
        if (HBRUSH brush = ctlColorBrush(self, state.hDC)) {
            RECT r{};
            GetClientRect(window, &r);
            FillRect(state.hDC, &r, brush);
        }
        prevWindowProc(reinterpret_cast<intptr_t>(window), WM_PAINT, reinterpret_cast<uintptr_t>(state.hDC), 0);
    }
    VP_ControlEndPaint(self, window, state);
    return rt::Value(0);
}

}  // namespace vorpex
