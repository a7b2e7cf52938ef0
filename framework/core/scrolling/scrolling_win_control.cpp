#include "framework/core/scrolling/scrolling_win_control.h"

#include <windows.h>

#include <algorithm>

#include "framework/core/native/win_casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

using native::number;
using win::toHwnd;

// The events of each scroll code, vertical then horizontal (SB_LINEUP .. SB_THUMBTRACK).
const EventRef* const kVerticalEvents[] = {
    &XScrollingWinControl::OnScrollUp,       &XScrollingWinControl::OnScrollDown,
    &XScrollingWinControl::OnScrollPageUp,   &XScrollingWinControl::OnScrollPageDown,
    &XScrollingWinControl::OnThumbPosV,      &XScrollingWinControl::OnThumbTrackV};
const EventRef* const kHorizontalEvents[] = {
    &XScrollingWinControl::OnScrollLeft,     &XScrollingWinControl::OnScrollRight,
    &XScrollingWinControl::OnScrollPageLeft, &XScrollingWinControl::OnScrollPageRight,
    &XScrollingWinControl::OnThumbPosH,      &XScrollingWinControl::OnThumbTrackH};

scroll::ChildBox boxOf(const XControl& c) {
    const ctl::Bounds b = c.bounds();
    return {static_cast<int>(c.nAlign()), static_cast<int>(c.nAnchors()), b.left, b.top, b.width, b.height};
}

}  // namespace

const rt::Class& XScrollingWinControl::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XScrollingWinControl;
        VPClass b("XScrollingWinControl", &TWinControl::classRecord(), rt::factoryOf<X>());
        kAutoScroll = b.addProperty({.name = "lAutoScroll", .initial = true, .type = "L", .scope = Published,
                                     .setter = &X::SetAutoScroll});
        kIncrement = b.addProperty({.name = "nScrollIncrement", .initial = 8, .type = "N", .scope = Published});
        for (const char* e : {"OnScrollLeft", "OnScrollRight", "OnScrollPageLeft", "OnScrollPageRight",
                              "OnThumbTrackH", "OnThumbPosH", "OnScrollUp", "OnScrollDown", "OnScrollPageUp",
                              "OnScrollPageDown", "OnThumbTrackV", "OnThumbPosV"})
            b.addEvent(e, Published, "oSender, nPos");
        kVScroll = b.addData("lVScroll", false, "L", Protected);
        kHScroll = b.addData("lHScroll", false, "L", Protected);
        kExtraHeight = b.addData("nExtraHeight", 0, "N", Protected);
        kExtraWidth = b.addData("nExtraWidth", 0, "N", Protected);
        b.addProperty({.name = "nClientLeft", .setter = &X::SetClientLeftProperty});
        b.addProperty({.name = "nClientTop", .setter = &X::SetClientTopProperty});
        kVirtualWidth = b.addProperty(
            {.name = "nVirtualWidth", .initial = 0, .type = "N", .setter = &X::SetVirtualWidthProperty});
        kVirtualHeight = b.addProperty(
            {.name = "nVirtualHeight", .initial = 0, .type = "N", .setter = &X::SetVirtualHeightProperty});

        addMembers<XScrollingWinControl>(b);
        return b.create();
    }();
    return c;
}

Value XScrollingWinControl::Create(rt::Args args) {
    XWinControl::Create(args);
    const Value redraw(true);
    Adjust(rt::Args(&redraw, 1));
    return selfObject();
}

// ---- virtual size

Value XScrollingWinControl::ProcessControl(rt::Args args) {
    auto child = rt::objectAs<XControl>(rt::arg(args, 0));
    if (!child || !child->lVisible()) return {};
    scroll::VirtualSize v{nVirtualWidth(), nVirtualHeight(), field(kExtraWidth).asInteger(),
                          field(kExtraHeight).asInteger()};
    scroll::processControl(v, boxOf(*child));
    field(kVirtualWidth) = number(v.width);
    field(kVirtualHeight) = number(v.height);
    field(kExtraWidth) = number(v.extraWidth);
    field(kExtraHeight) = number(v.extraHeight);
    return {};
}

void XScrollingWinControl::adjustAndFollow() {
    const Value redraw(true);
    if (Adjust(rt::Args(&redraw, 1)).asLogical()) rt::send(*this, "AlignControls");
}

Value XScrollingWinControl::InsertControl(rt::Args args) {
    XWinControl::InsertControl(args);
    auto child = rt::objectAs<XControl>(rt::arg(args, 0));
    if (lAutoScroll() && child && child->lVisible()) {
        rt::send(*this, "ProcessControl", {rt::arg(args, 0)});
        adjustAndFollow();
    }
    return {};
}

Value XScrollingWinControl::RemoveControl(rt::Args args) {
    XWinControl::RemoveControl(args);
    rt::send(*this, "SetAutoScroll");
    return {};
}

Value XScrollingWinControl::SetAutoScroll(rt::Args args) {
    const Value& on = rt::arg(args, 0);
    if (on.isLogical()) field(kAutoScroll) = on;
    for (int position : {kVirtualWidth, kVirtualHeight, kExtraWidth, kExtraHeight}) field(position) = 0;
    if (lAutoScroll())
        for (const Value& child : children()) rt::send(*this, "ProcessControl", {child});
    adjustAndFollow();
    return field(kAutoScroll);
}

Value XScrollingWinControl::SetVirtualBounds(rt::Args args) {
    const int positions[] = {kClientLeft, kClientTop, kVirtualWidth, kVirtualHeight};
    const int64_t left = nClientLeft(), top = nClientTop();
    for (size_t i = 0; i < 4; ++i)
        if (rt::arg(args, i).isNumber()) field(positions[i]) = rt::arg(args, i);
    const Value redraw(true);
    const bool moved = Adjust(rt::Args(&redraw, 1)).asLogical();
    // A new origin must move the children too, or they stay drawn at the old one.
    if (moved || left != nClientLeft() || top != nClientTop()) rt::send(*this, "AlignControls");
    return {};
}

Value XScrollingWinControl::SetVirtualSize(rt::Args args) {
    const Value values[] = {Value(), Value(), rt::arg(args, 0), rt::arg(args, 1)};
    return SetVirtualBounds(values);
}

Value XScrollingWinControl::SetClientLeftProperty(rt::Args a) {
    SetVirtualBounds(std::vector<Value>{rt::arg(a, 0)});
    return rt::arg(a, 0);
}
Value XScrollingWinControl::SetClientTopProperty(rt::Args a) {
    SetVirtualBounds(std::vector<Value>{Value(), rt::arg(a, 0)});
    return rt::arg(a, 0);
}
Value XScrollingWinControl::SetVirtualWidthProperty(rt::Args a) {
    SetVirtualSize(std::vector<Value>{rt::arg(a, 0)});
    return rt::arg(a, 0);
}
Value XScrollingWinControl::SetVirtualHeightProperty(rt::Args a) {
    SetVirtualSize(std::vector<Value>{Value(), rt::arg(a, 0)});
    return rt::arg(a, 0);
}

// ---- scroll bars

bool XScrollingWinControl::adjustAxis(bool vertical, bool redraw) {
    if (!windowExists()) return false;
    HWND h = toHwnd(Handle());
    const int bar = vertical ? SB_VERT : SB_HORZ;
    if (!lAutoScroll()) {
        // The content is the program's business: the bars the window style asked for stay hidden.
        ShowScrollBar(h, bar, FALSE);
        field(vertical ? kVScroll : kHScroll) = false;
        return false;
    }
    const int originPos = vertical ? kClientTop : kClientLeft;
    const scroll::AxisAdjust a = scroll::adjustAxis(
        {field(originPos).asInteger(), vertical ? nVirtualHeight() : nVirtualWidth(),
         vertical ? nClientHeight() : nClientWidth()});
    field(originPos) = number(a.origin);
    field(vertical ? kVScroll : kHScroll) = a.needed;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = static_cast<int>(std::max<int64_t>(a.rangeMax, 0));
    si.nPage = static_cast<UINT>(std::max<int64_t>(a.page, 0));
    si.nPos = static_cast<int>(a.position);
    SetScrollInfo(h, bar, &si, redraw);
    return a.moved;
}

Value XScrollingWinControl::VAdjust(rt::Args args) { return Value(adjustAxis(true, rt::arg(args, 0).asLogical())); }
Value XScrollingWinControl::HAdjust(rt::Args args) { return Value(adjustAxis(false, rt::arg(args, 0).asLogical())); }

Value XScrollingWinControl::Adjust(rt::Args args) {
    if (adjusting_) return Value(false);
    adjusting_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{adjusting_};
    UpdateClientRect({});
    const bool redraw = rt::arg(args, 0).asLogical();
    const bool vertical = adjustAxis(true, redraw);
    // A bar that appeared or went changed the client area the other axis measures.
    UpdateClientRect({});
    const bool horizontal = adjustAxis(false, redraw);
    return Value(vertical || horizontal);
}

Value XScrollingWinControl::AlignControls(rt::Args args) {
    if (!args.empty()) return XWinControl::AlignControls(args);
    const Value rect = Value::array({number(nClientLeft()), number(nClientTop()),
                                     number(std::max(nVirtualWidth(), nClientWidth())),
                                     number(std::max(nVirtualHeight(), nClientHeight()))});
    const Value call[] = {rect, Value(true)};
    return XWinControl::AlignControls(call);
}

Value XScrollingWinControl::WMSize(rt::Args args) {
    UpdateClientRect({});
    if (rt::arg(args, 1).asInteger() != 0 && bounds().width > 0 && bounds().height > 0) {
        const Value redraw(true);
        Adjust(rt::Args(&redraw, 1));
        rt::send(*this, "AlignControls");
    }
    return Value(0);
}

// ---- scrolling

void XScrollingWinControl::moveOrigin(bool vertical, int64_t oldPosition, int64_t newPosition) {
    HWND h = toHwnd(Handle());
    field(vertical ? kClientTop : kClientLeft) = number(-newPosition);
    const int64_t classStyle = field(kClassStyle).asInteger();
    const bool redrawWhole = lTransparent() || (classStyle & (vertical ? CS_VREDRAW : CS_HREDRAW));
    if (!IsWindowVisible(h)) {
        // Nothing is drawn, and the system does not scroll what it does not draw: the children are placed.
        rt::send(*this, "AlignControls");
        return;
    }
    if (redrawWhole) {
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        rt::send(*this, "AlignControls");
        return;
    }
    const int delta = static_cast<int>(oldPosition - newPosition);
    ScrollWindow(h, vertical ? 0 : delta, vertical ? delta : 0, nullptr, nullptr);
    // A picture or a visual style behind the children must be painted whole again at once.
    if (hBkgnd() || field(kThemeHandle).asInteger()) {
        HDC dc = GetDC(h);
        SendMessageA(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(h, dc);
    }
    UpdateWindow(h);
}

Value XScrollingWinControl::scroll(bool vertical, rt::Args args) {
    const int64_t wParam = rt::arg(args, 0).asInteger();
    const auto barWindow = static_cast<intptr_t>(rt::arg(args, 1).asInteger());
    if (barWindow) {
        // A scroll-bar child reports to its container; the bar itself acts on it (lParam 0: its own).
        const Value message = number(vertical ? WM_VSCROLL : WM_HSCROLL);
        XWinControl::WMScroll(std::vector<Value>{rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2), message});
        return Value(0);
    }
    if (!windowExists()) return Value(0);
    HWND h = toHwnd(Handle());
    const int bar = vertical ? SB_VERT : SB_HORZ;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(h, bar, &si)) return Value(0);
    const scroll::BarState state{si.nPos, static_cast<int64_t>(si.nPage), si.nMin, si.nMax, si.nTrackPos};
    const int code = static_cast<int>(wParam & 0xFFFF);
    std::optional<int64_t> answer;
    if (code >= scroll::kLineUp && code <= scroll::kThumbTrack) {
        const EventRef& event = *(vertical ? kVerticalEvents : kHorizontalEvents)[code];
        const Value reply = fireEvent(*this, event, {number(scroll::scrollEventArgument(code, state))});
        if (reply.isNumber()) answer = reply.asInteger();
    }
    const std::optional<int64_t> target =
        scroll::scrollTarget(code, answer, state, field(kIncrement).asInteger());
    if (!target || *target == state.position) return Value(0);
    si.fMask = SIF_POS;
    si.nPos = static_cast<int>(*target);
    SetScrollInfo(h, bar, &si, TRUE);
    moveOrigin(vertical, state.position, *target);
    return Value(0);
}

Value XScrollingWinControl::WMVScroll(rt::Args args) { return scroll(true, args); }
Value XScrollingWinControl::WMHScroll(rt::Args args) { return scroll(false, args); }

Value XScrollingWinControl::WMMouseWheel(rt::Args args) {
    const int64_t wParam = rt::arg(args, 0).asInteger();
    const int delta = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
    const bool shift = (wParam & MK_SHIFT) != 0;
    const scroll::WheelStep step = scroll::wheelStep(delta, shift, lVScroll(), lHScroll());
    if (step.axis == scroll::WheelAxis::None || !windowExists()) return Value(0);
    SendMessageA(toHwnd(Handle()), step.axis == scroll::WheelAxis::Vertical ? WM_VSCROLL : WM_HSCROLL,
                 static_cast<WPARAM>(step.code), 0);
    return Value(0);
}

}  // namespace vorpex
