#include "framework/core/control/win_control.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/core/control/control_values.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

using native::number;
using win::toHwnd;
using ctl::handleNumber;
using ctl::sameObject;

// Where a child's window is now, in its parent's client coordinates.
ctl::Bounds windowBounds(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    POINT corner{r.left, r.top};
    MapWindowPoints(nullptr, GetParent(child), &corner, 1);
    return {corner.x, corner.y, r.right - r.left, r.bottom - r.top};
}

bool isKindOf(const rt::Object& o, const char* className) {
    const rt::Class* cls = rt::Class::byName(className);
    return cls && o.objectClass().isDerivedFrom(*cls);
}

}  // namespace

const rt::Class& XWinControl::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XWinControl;
        VPClass b("XWinControl", &TStdControl::classRecord(), rt::factoryOf<XWinControl>());
        kBkgndPicture = b.addProperty({.name = "oBkgnd", .type = "TPicture", .scope = Published,
                                       .setter = &X::SetBkgnd, .editor = "PE_Picture"});
        kBkgndMode = b.addProperty({.name = "nBkgndMode", .initial = 0, .type = "N", .scope = Published,
                                    .setter = &X::SetBkgndMode});
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN), "N");
        b.record().redeclareField(kExStyle, number(WS_EX_CONTROLPARENT), "N");
        kPopup = b.addData("lPopup", false, "L", Protected);
        b.addProperty({.name = "lTabStop", .initial = false, .type = "L", .scope = Exported, .setter = &X::SetTabStop});
        kMenu = b.addProperty({.name = "oMenu", .setter = &X::SetMenu});
        b.addProperty({.name = "oActiveControl", .setter = &X::SetActiveControl});
        kControls = b.addData("aControls", Value::array(), "A", Exported | ReadOnly);

        addMembers<XWinControl>(b);
        b.addMethod("WMHScroll", rt::method(&X::WMScroll));
        b.addMethod("WMVScroll", rt::method(&X::WMScroll));
        b.addMethod("WMEraseBkgnd", XWINCONTROL_WMERASEBKGND);
        for (const char* m : {"WMCtlColorStatic", "WMCtlColorBtn", "WMCtlColorEdit", "WMCtlColorListBox",
                              "WMCtlColorScrollBar"})
            b.addMethod(m, rt::method(&X::CtlColor));
        return b.create();
    }();
    return c;
}

std::vector<Value> XWinControl::children() const {
    auto list = field(kControls).asArray();
    return list ? list->items : std::vector<Value>{};
}

Value XWinControl::Create(rt::Args args) {
    if (auto list = field(kControls).asArray()) list->items.reserve(16);
    return XControl::Create(args);
}

Value XWinControl::Free(rt::Args args) {
    releaseBackground();
    const Value menu = field(kMenu);
    field(kMenu) = Value();
    sendIfUnderstood(menu, "Destroy");
    return XControl::Free(args);
}

// ---- children

Value XWinControl::InsertControl(rt::Args args) {
    const Value& child = rt::arg(args, 0);
    auto object = child.asObject();
    if (!object) return {};
    if (auto list = field(kControls).asArray()) list->items.push_back(child);
    auto control = rt::objectAs<XControl>(child);
    if (control && control->nAlign() != ctl::alNONE) rt::send(*this, "AlignControls");
    const Value form = formValue();
    auto std = rt::objectAs<XStdControl>(child);
    if (std && std->cMessage().isString() && !std->cMessage().asString().empty())
        sendIfUnderstood(form, "_lMsgAuto", {Value(true)});
    sendIfUnderstood(form, "AddShortCut", {child});
    return {};
}

Value XWinControl::RemoveControl(rt::Args args) {
    const Value& child = rt::arg(args, 0);
    const intptr_t handle = handleOf(child);
    if (auto list = field(kControls).asArray()) {
        std::erase_if(list->items, [&](const Value& v) {
            return v.deref().asObject() == child.asObject() || (handle && handleOf(v) == handle);
        });
    }
    // Nobody may be focused through a control that is gone.
    if (field(kActiveControl).asObject() == child.asObject() && child.isObject()) field(kActiveControl) = Value();
    const Value form = formValue();
    if (sendIfUnderstood(form, "oActiveControl").asObject() == child.asObject() && child.isObject())
        sendIfUnderstood(form, "_oActiveControl", {Value()});
    sendIfUnderstood(form, "DelShortCut", {child});
    return {};
}

Value XWinControl::SetActiveControl(rt::Args args) {
    field(kActiveControl) = rt::arg(args, 0);
    sendIfUnderstood(parentValue(), "_oActiveControl", {selfObject()});
    return rt::arg(args, 0);
}

Value XWinControl::Enable(rt::Args args) {
    for (const Value& child : children()) sendIfUnderstood(child, "Enable");
    return XControl::Enable(args);
}

Value XWinControl::Disable(rt::Args args) {
    for (const Value& child : children()) sendIfUnderstood(child, "Disable");
    return XControl::Disable(args);
}

Value XWinControl::RequestState(rt::Args args) {
    XStdControl::RequestState(args);
    std::vector<Value> list = children();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (rt::objectAs<XStdControl>(*it)) sendIfUnderstood(*it, "RequestState");
    return {};
}

Value XWinControl::Redraw(rt::Args) {
    if (windowExists())
        RedrawWindow(toHwnd(Handle()), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    return {};
}

// ---- routing

Value XWinControl::WMCommand(rt::Args args) {
    const int64_t wParam = rt::arg(args, 0).asInteger();
    const int64_t code = (wParam >> 16) & 0xFFFF;
    const int64_t id = wParam & 0xFFFF;
    const intptr_t sender = handleNumber(rt::arg(args, 1));
    switch (ctl::commandRoute(code, sender, Handle())) {
        case ctl::CommandRoute::Menu: {
            const Value popup = sendIfUnderstood(formValue(), "oPopup");
            const Value menu = lPopup() && !popup.isNil() ? popup : field(kMenu);
            sendIfUnderstood(menu, "DoAction", {number(id)});
            return {};
        }
        case ctl::CommandRoute::Child:
            // A child window without an object (a raw window, a wrapper's native child) gets nothing.
            return sendIfUnderstood(controlOfWindow(sender), "Command", {number(code), number(id)});
        default:
            return {};
    }
}

Value XWinControl::answerChildTip(intptr_t tipWindow, intptr_t toolWindow, void* info) {
    auto control = rt::objectAs<XControl>(controlOfWindow(toolWindow));
    if (!control) return {};
    const Value title = sendIfUnderstood(Value(control), "cTooltipTitle");
    if (title.isString())
        SendMessageA(toHwnd(tipWindow), TTM_SETTITLEA, static_cast<WPARAM>(sendIfUnderstood(Value(control), "nTooltipIcon").asInteger()),
                     reinterpret_cast<LPARAM>(title.asString().c_str()));
    const bool balloon = tipWindow != 0 && tipWindow == applicationTip(true);
    const Value& text = balloon ? control->cBalloon() : control->cTooltip();
    auto* display = static_cast<NMTTDISPINFOA*>(info);
    display->hinst = nullptr;
    display->lpszText = const_cast<char*>(control->keepTipText(text.isString() ? text.asString() : std::string()));
    return Value(0);
}

Value XWinControl::WMNotify(rt::Args args) {
    auto* header = reinterpret_cast<NMHDR*>(handleNumber(rt::arg(args, 1)));
    if (!header) return {};
    const auto tip = reinterpret_cast<intptr_t>(header->hwndFrom);
    const bool textRequest = header->code == static_cast<UINT>(TTN_GETDISPINFOA);
    Value answered;
    if (textRequest && (reinterpret_cast<NMTTDISPINFOA*>(header)->uFlags & TTF_IDISHWND))
        answered = answerChildTip(tip, static_cast<intptr_t>(header->idFrom), header);
    const Value sender = controlOfWindow(tip);
    if (!sender.isNil()) {
        const Value result = sendIfUnderstood(sender, "Notify", {rt::arg(args, 0), rt::arg(args, 1)});
        return result.isNil() ? answered : result;
    }
    if (!textRequest && header->code != static_cast<UINT>(TTN_GETDISPINFOW) && header->code != static_cast<UINT>(TTN_POP))
        return answered;
    // A tip window has no object: the request belongs to the tool's window.
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    intptr_t toolWindow = 0;
    if (SendMessageA(toHwnd(tip), TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool)))
        toolWindow = (tool.uFlags & TTF_IDISHWND) ? static_cast<intptr_t>(tool.uId) : reinterpret_cast<intptr_t>(tool.hwnd);
    if (!answered.isNil()) return answered;
    // Zones on the container itself are answered as any control answers its own.
    if (toolWindow == Handle() || !toolWindow) return XControl::WMNotify(args);
    const Value owner = controlOfWindow(toolWindow);
    return sendIfUnderstood(owner, "Notify", {rt::arg(args, 0), rt::arg(args, 1)});
}

Value XWinControl::CtlColor(rt::Args args) {
    const Value& dc = rt::arg(args, 0);
    const intptr_t child = handleNumber(rt::arg(args, 1));
    const Value object = controlOfWindow(child);
    if (!object.isNil()) return sendIfUnderstood(object, "GetCtlColor", {dc});
    if (GetParent(toHwnd(child)) != toHwnd(Handle()) || !handleOf(field(kBrush))) return {};
    return XControl::GetCtlColor(std::vector<Value>{dc});
}

// ---- background, menu, tab stop

void XWinControl::releaseBackground() {
    const Value picture = field(kBkgndPicture);
    const intptr_t own = handleOf(picture);
    if (hBkgnd() && hBkgnd() != own) DeleteObject(reinterpret_cast<HGDIOBJ>(hBkgnd()));
    sendIfUnderstood(picture, "Destroy");
    field(kBkgndPicture) = Value();
    setBkgndHandle(0);
}

Value XWinControl::SetBkgnd(rt::Args args) {
    releaseBackground();
    const Value& x = rt::arg(args, 0);
    if (x.isObject())
        field(kBkgndPicture) = x;
    else if (!x.isNil())
        field(kBkgndPicture) = createByClassName("TPicture", "Create", {x});
    setBkgndHandle(handleOf(field(kBkgndPicture)));
    Refresh({});
    return x;
}

Value XWinControl::SetBkgndMode(rt::Args args) {
    field(kBkgndMode) = rt::arg(args, 0);
    const intptr_t own = handleOf(field(kBkgndPicture));
    // A stretched copy made for the old mode is ours to delete.
    if (hBkgnd() && hBkgnd() != own) DeleteObject(reinterpret_cast<HGDIOBJ>(hBkgnd()));
    setBkgndHandle(own);
    Refresh({});
    return rt::arg(args, 0);
}

Value XWinControl::SetMenu(rt::Args args) {
    const Value& menu = rt::arg(args, 0);
    auto items = sendIfUnderstood(menu, "aItems").asArray();
    const bool hasItems = items && !items->items.empty();
    if (!field(kMenu).isNil() && !hasItems) {
        field(kMenu) = Value();
        if (windowExists()) {
            ::SetMenu(toHwnd(Handle()), nullptr);
            DrawMenuBar(toHwnd(Handle()));
        }
    }
    if (menu.isObject()) sendIfUnderstood(menu, "_oParent", {selfObject()});
    if (hasItems) {
        field(kMenu) = menu;
        if (windowExists()) {
            ::SetMenu(toHwnd(Handle()), reinterpret_cast<HMENU>(handleOf(menu)));
            DrawMenuBar(toHwnd(Handle()));
        }
    }
    return menu;
}

Value XWinControl::SetTabStop(rt::Args args) {
    Value on = XStdControl::SetTabStop(args);
    // Children of a container that is no tab stop itself take part in the dialog tab order.
    setExStyle(ctl::changeBits(nExStyle(), ctl::kWsExControlParent, !on.asLogical()));
    applyStyles();
    return on;
}

// ---- messages

Value XWinControl::WMSetFocus(rt::Args args) {
    if (lTabStop()) return XStdControl::WMSetFocus(args);
    const Value active = field(kActiveControl);
    if (!active.isNil() && handleOf(active) && !sameObject(active, this))
        sendIfUnderstood(active, "SetFocus");
    else
        rt::send(*this, "GoFirstControl");
    return Value(0);
}

Value XWinControl::WMScroll(rt::Args args) {
    const intptr_t bar = handleNumber(rt::arg(args, 1));
    // A scroll-bar child reports to its container; the bar's own object acts on it (lParam 0: its own).
    if (!bar || controlOfWindow(bar).isNil()) return {};
    SendMessageA(toHwnd(bar), static_cast<UINT>(rt::arg(args, 3).asInteger()), static_cast<WPARAM>(rt::arg(args, 0).asInteger()), 0);
    return Value(0);
}

Value XWinControl::WMSize(rt::Args) {
    UpdateClientRect({});
    rt::send(*this, "AlignControls");
    return Value(0);
}

Value XWinControl::WMDestroy(rt::Args args) {
    Value result = XControl::WMDestroy(args);
    if (auto list = field(kControls).asArray()) list->items.clear();
    return result;
}

Value XWinControl::WMExitMenuLoop(rt::Args args) {
    field(kPopup) = rt::arg(args, 0).asInteger() != 0;
    return {};
}

// ---- layout

Value XWinControl::AlignControls(rt::Args args) {
    ctl::Edges working{nClientLeft(), nClientTop(), nClientWidth(), nClientHeight()};
    if (auto r = rt::arg(args, 0).asArray())
        working = {r->at1(1).asInteger(), r->at1(2).asInteger(), r->at1(3).asInteger(), r->at1(4).asInteger()};
    const std::vector<Value> list = children();
    std::vector<ctl::LayoutChild> layout;
    std::vector<std::shared_ptr<XControl>> controls;
    for (const Value& item : list) {
        auto c = rt::objectAs<XControl>(item);
        if (!c) continue;
        ctl::LayoutChild l;
        l.visible = c->lVisible();
        l.align = static_cast<int>(c->nAlign());
        l.anchors = static_cast<int>(c->nAnchors());
        l.x = c->anchorX();
        l.y = c->anchorY();
        l.stored = c->bounds();
        l.window = c->windowExists() ? windowBounds(toHwnd(c->Handle())) : l.stored;
        layout.push_back(l);
        controls.push_back(c);
    }
    for (const ctl::LayoutStep& step : ctl::alignControls(working, rt::arg(args, 1).asLogical(), layout)) {
        XControl& child = *controls[step.index];
        HWND h = toHwnd(child.Handle());
        if (step.action == ctl::LayoutAction::Realign) {
            rt::send(child, "AlignControls");
            continue;
        }
        if (!h) continue;
        InvalidateRect(h, nullptr, TRUE);
        SetWindowPos(h, nullptr, static_cast<int>(step.next.left), static_cast<int>(step.next.top),
                     static_cast<int>(step.next.width), static_cast<int>(step.next.height), step.flags);
        UpdateWindow(h);
    }
    return {};
}

// ---- tab order

namespace {

// The window the dialog tab order reaches from `from` inside `root` (containers that are no tab stops carry
// WS_EX_CONTROLPARENT, so the order runs through them); the first tab stop when nothing has the focus.
HWND nextTabWindow(HWND root, HWND from, bool previous) {
    if (!root) return nullptr;
    if (from && !IsChild(root, from)) from = nullptr;
    HWND next = GetNextDlgTabItem(root, from, previous);
    if (!next || !(GetWindowLongPtrA(next, GWL_STYLE) & WS_TABSTOP)) return nullptr;
    return next;
}

}  // namespace

Value XWinControl::moveFocus(rt::Args args, bool previous) {
    const bool noValid = rt::arg(args, 1).asLogical();
    if (!noValid) rt::send(*this, "RequestState");
    const Value& fromArg = rt::arg(args, 0);
    HWND from = fromArg.isNumber() && fromArg.asInteger() ? toHwnd(handleNumber(fromArg)) : GetFocus();
    const Value form = formValue();
    HWND root = toHwnd(handleOf(form));
    if (!root) root = GetAncestor(toHwnd(Handle()), GA_ROOT);
    auto leaving = rt::objectAs<XControl>(controlOfWindow(reinterpret_cast<intptr_t>(from)));
    HWND next = nextTabWindow(root, from, previous);
    if (!leaving || !next) return Value(0);
    if (!noValid) {
        const Value answer = rt::send(*leaving, "Valid", {controlOfWindow(reinterpret_cast<intptr_t>(next))});
        if (!answer.isNil() && !(answer.isLogical() && answer.asLogical())) return Value(0);
    }
    leaving->setFocusedFlag(false);
    if (GetFocus() == from) {
        // Validation may have changed what is enabled: ask again.
        next = nextTabWindow(root, from, previous);
        if (next) ::SetFocus(next);
    }
    return number(reinterpret_cast<intptr_t>(next));
}

Value XWinControl::GoNextControl(rt::Args args) { return moveFocus(args, false); }
Value XWinControl::GoPrevControl(rt::Args args) { return moveFocus(args, true); }

Value XWinControl::GoFirstControl(rt::Args) {
    if (!(lVisible() && windowExists() && IsWindowEnabled(toHwnd(Handle())))) {
        rt::send(*this, "GoNextControl", {number(Handle())});
        return {};
    }
    for (const Value& item : children()) {
        auto c = rt::objectAs<XControl>(item);
        if (!c) continue;
        const bool radioUnchecked = isKindOf(*c, "XRADIO") && !sendIfUnderstood(item, "lChecked").asLogical();
        if (c->lVisible() && c->lEnabled() && c->lTabStop() && !radioUnchecked) {
            rt::send(*c, "SetFocus");
            return item;
        }
        if (rt::objectAs<XWinControl>(item)) {
            Value inner = rt::send(*c, "GoFirstControl");
            if (!inner.isNil()) return inner;
        }
    }
    return {};
}

}  // namespace vorpex
