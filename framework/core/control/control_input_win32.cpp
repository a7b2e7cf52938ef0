// XControl: the click route, mouse and drag, keyboard, focus and the pop-up menu.
#include <windows.h>

#include <commctrl.h>

#include "framework/core/control/control.h"
#include "framework/core/control/std_control.h"
#include "framework/core/control/control_values.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/screen/screen.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

using native::number;
using win::toHwnd;
using ctl::handleNumber;
using ctl::sameObject;
// Shared by every control: one mouse, one pop-up at a time.
struct InputState {
    ctl::DragRect drag;
    intptr_t lastRelayed = 0;
    bool popupShowing = false;
};

InputState& input() {
    static InputState s;
    return s;
}

// Marks a pop-up menu as showing for as long as it is tracked, also when a handler breaks out meanwhile.
class PopupMark {
public:
    PopupMark() { input().popupShowing = true; }
    ~PopupMark() { input().popupShowing = false; }
    PopupMark(const PopupMark&) = delete;
    PopupMark& operator=(const PopupMark&) = delete;
};

POINT screenPoint(HWND window, int64_t x, int64_t y) {
    POINT p{static_cast<LONG>(x), static_cast<LONG>(y)};
    ::ClientToScreen(window, &p);
    return p;
}

Value controlAt(POINT p) { return controlOfWindow(reinterpret_cast<intptr_t>(WindowFromPoint(p))); }

int64_t dialogCode(HWND window) { return SendMessageA(window, WM_GETDLGCODE, 0, 0); }

void setCursorOf(const Value& cursor) {
    if (HCURSOR c = reinterpret_cast<HCURSOR>(handleOf(cursor))) ::SetCursor(c);
}

// The arguments of a mouse event: flags and the signed client coordinates.
struct MouseArgs {
    Value flags;
    int64_t x, y;
    Value xv() const { return number(x); }
    Value yv() const { return number(y); }
};

MouseArgs mouseArgs(rt::Args args) {
    const int64_t lParam = rt::arg(args, 1).asInteger();
    return {rt::arg(args, 0), ctl::mouseX(lParam), ctl::mouseY(lParam)};
}

}  // namespace

// ---- the click route

Value XControl::Command(rt::Args args) {
    if (rt::arg(args, 0).asInteger() != 0) return {};
    return rt::send(*this, "Click");
}

Value XControl::Click(rt::Args) { return fireEvent(*this, OnClick); }

Value XControl::VPClick(rt::Args args) { return rt::send(*this, rt::Symbol::intern("Click"), args); }

Value XControl::ShortCut(rt::Args args) {
    if (!rt::send(*this, "SetFocus").asLogical()) return {};
    rt::send(*this, rt::Symbol::intern("Click"), args);
    return Value(0);
}

// ---- focus

Value XControl::SetFocus(rt::Args args) {
    if (!lVisible()) return Value(lFocused());
    if (rt::arg(args, 0).asLogical()) setFocusedFlag(true);
    if (windowExists()) {
        HWND h = toHwnd(Handle());
        ::SetFocus(h);
        if (GetFocus() == h) setFocusedFlag(true);
    }
    return Value(lFocused());
}

Value XControl::Valid(rt::Args args) { return fireEvent(*this, OnExit, {rt::arg(args, 0)}); }

Value XControl::GoNextControl(rt::Args args) {
    const Value form = formValue();
    if (sameObject(form, this)) return {};
    return sendIfUnderstood(form, rt::Symbol::intern("GoNextControl"), args);
}

Value XControl::GoPrevControl(rt::Args args) {
    const Value form = formValue();
    if (sameObject(form, this)) return {};
    return sendIfUnderstood(form, rt::Symbol::intern("GoPrevControl"), args);
}

namespace {

// The form of a control as it knows it (its oForm, found on first need).
Value formOf(const Value& control) { return sendIfUnderstood(control, "GetForm"); }

// The window a focus message names, or the focus window when that one is gone already.
HWND focusPartner(const Value& wParam) {
    HWND w = toHwnd(handleNumber(wParam));
    return IsWindow(w) ? w : GetFocus();
}

}  // namespace

Value XControl::WMSetFocus(rt::Args args) {
    setFocusedFlag(lTabStop());
    const Value form = rt::send(*this, "GetForm");
    sendIfUnderstood(form, "_oActiveControl", {selfObject()});
    const intptr_t h = static_cast<intptr_t>(rt::arg(args, 2).asInteger());
    prevWindowProc(h, WM_SETFOCUS, static_cast<uintptr_t>(rt::arg(args, 0).asInteger()), 0);
    const Value previous = controlOfWindowOrAncestor(reinterpret_cast<intptr_t>(focusPartner(rt::arg(args, 0))));
    if (!previous.isNil() && !previous.sameAs(form) && formOf(previous).sameAs(form)) {
        sendIfUnderstood(form, "OnChangeFocus", {previous, selfObject()});
        sendIfUnderstood(form, "RequestState");
        if (lFocused() || GetFocus() == toHwnd(Handle())) {
            rt::send(*this, "GotFocus");
            fireEvent(*this, OnEnter, {previous});
        }
        return Value(0);
    }
    if (!dynamic_cast<XStdControl*>(this)) rt::send(*this, "GoNextControl");
    return Value(0);
}

Value XControl::WMKillFocus(rt::Args args) {
    HWND getting = focusPartner(rt::arg(args, 0));
    const Value gaining = controlOfWindowOrAncestor(reinterpret_cast<intptr_t>(getting));
    const intptr_t h = static_cast<intptr_t>(rt::arg(args, 2).asInteger());
    prevWindowProc(h, WM_KILLFOCUS, static_cast<uintptr_t>(rt::arg(args, 0).asInteger()), 0);
    const Value form = formValue();
    const bool active = sameObject(sendIfUnderstood(form, "oActiveControl"), this);
    if (!(lFocused() || (!lTabStop() && active))) return Value(0);
    if (gaining.isNil() || sameObject(gaining, this) || gaining.sameAs(form) || !formOf(gaining).sameAs(form))
        return Value(0);
    setFocusedFlag(false);
    if (sendIfUnderstood(gaining, "lFocused").asLogical()) return Value(0);
    const Value answer = rt::send(*this, "Valid", {gaining});
    if (answer.isLogical() && !answer.asLogical()) {
        rt::send(*this, "SetFocus");
        // The press that moved the focus must not complete a click on the refused control: a button marks
        // itself pressed only after asking for the focus, so its capture is cancelled once that is done.
        PostMessageA(getting, WM_CANCELMODE, 0, 0);
    } else if (lFocused()) {
        // The focus came back meanwhile (a message box in OnExit): hand it on and finish the click that
        // was interrupted.
        sendIfUnderstood(gaining, "SetFocus", {Value(true)});
        PostMessageA(toHwnd(handleOf(gaining)), WM_LBUTTONUP, 0, 0);
    }
    return Value(0);
}

// ---- mouse

Value XControl::WMLButtonDown(rt::Args args) {
    const MouseArgs m = mouseArgs(args);
    const POINT p = screenPoint(toHwnd(Handle()), m.x, m.y);
    input().drag = ctl::DragRect::around(p.x, p.y, GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
    field(kOnDrag) = 1;
    return fireEvent(*this, OnLButtonDown, {m.flags, m.xv(), m.yv()});
}

Value XControl::WMMouseMove(rt::Args args) {
    const MouseArgs m = mouseArgs(args);
    HWND self = toHwnd(Handle());
    const POINT p = screenPoint(self, m.x, m.y);
    if (nOnDrag() == 1 && !input().drag.contains(p.x, p.y)) {
        const Value begin = fireEvent(*this, OnBeginDrag);
        if (begin.isLogical() && begin.asLogical()) {
            field(kOnDrag) = 2;
            SetCapture(self);
        }
    }
    if (nOnDrag() == 2) {
        // A point over a window without an object (the desktop, another program) can take no drop.
        const Value target = controlAt(p);
        const bool yes = !target.isNil() && fireEvent(*target.asObject(), OnDragOver, {selfObject()}).asLogical();
        auto screen = rt::objectAs<XScreen>(Screen());
        if (screen) setCursorOf(yes ? screen->oCursorDropYes() : screen->oCursorDropNo());
    }
    if (input().lastRelayed != Handle()) {
        MSG relayed{self, WM_MOUSEMOVE, static_cast<WPARAM>(m.flags.asInteger()),
                    static_cast<LPARAM>(rt::arg(args, 1).asInteger()), static_cast<DWORD>(GetMessageTime()), p};
        for (bool balloon : {false, true})
            if (intptr_t tip = applicationTip(balloon))
                SendMessageA(toHwnd(tip), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
        input().lastRelayed = Handle();
    }
    return fireEvent(*this, OnMouseMove, {m.flags, m.xv(), m.yv()});
}

Value XControl::WMLButtonUp(rt::Args args) {
    const MouseArgs m = mouseArgs(args);
    if (const int64_t state = nOnDrag()) {
        field(kOnDrag) = 0;
        if (state == 2) ReleaseCapture();
        const Value target = controlAt(screenPoint(toHwnd(Handle()), m.x, m.y));
        if (state == 2 && !target.isNil()) fireEvent(*target.asObject(), OnEndDrag, {selfObject()});
        // A standard control reports its own clicks (BN_CLICKED, STN_CLICKED) through its container.
        if (state == 1 && sameObject(target, this) && !dynamic_cast<XStdControl*>(this))
            rt::send(*this, "VPClick", {m.flags, m.xv(), m.yv()});
    }
    return fireEvent(*this, OnLButtonUp, {m.flags, m.xv(), m.yv()});
}

Value XControl::WMLButtonDblClk(rt::Args args) {
    const MouseArgs m = mouseArgs(args);
    return fireEvent(*this, OnDblClick, {m.flags, m.xv(), m.yv()});
}

Value XControl::WMRButtonDown(rt::Args args) {
    const MouseArgs m = mouseArgs(args);
    if (lTabStop() && windowExists()) ::SetFocus(toHwnd(Handle()));
    return fireEvent(*this, OnRButtonDown, {m.flags, m.xv(), m.yv()});
}

Value XControl::WMRButtonUp(rt::Args args) {
    const MouseArgs m = mouseArgs(args);
    return fireEvent(*this, OnRButtonUp, {m.flags, m.xv(), m.yv()});
}

Value XControl::WMContextMenu(rt::Args args) {
    if (!EventAssigned(OnContextMenu)) return {};
    const int64_t lParam = rt::arg(args, 1).asInteger();
    POINT p{static_cast<LONG>(ctl::mouseX(lParam)), static_cast<LONG>(ctl::mouseY(lParam))};
    ::ScreenToClient(toHwnd(Handle()), &p);
    fireEvent(*this, OnContextMenu, {number(p.x), number(p.y)});
    return Value(0);
}

Value XControl::WMSetCursor(rt::Args args) {
    if (handleNumber(rt::arg(args, 0)) != Handle() || !windowExists()) return {};
    if (sendIfUnderstood(Application(), "lBusy").asLogical()) {
        ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        return Value(true);
    }
    const Value cursor = field(kCursor);
    if (!cursor.isNil() && (rt::arg(args, 1).asInteger() & 0xFFFF) == HTCLIENT) {
        setCursorOf(cursor);
        return Value(true);
    }
    return {};
}

Value XControl::WMInitMenuPopup(rt::Args args) {
    if (const rt::Function* requestState = rt::findFunction("POPUP_REQUESTSTATE")) {
        const Value menu[] = {rt::arg(args, 0)};
        (*requestState)(menu);
    }
    return {};
}

Value XControl::ShowPopupMenu(rt::Args args) {
    if (input().popupShowing) return Value(true);
    const Value& menu = rt::arg(args, 0);
    const intptr_t hMenu = handleOf(menu);
    if (!hMenu || !windowExists()) return Value(false);
    const Value form = formValue();
    UINT command = 0;
    {
        PopupMark mark;
        sendIfUnderstood(form, "_oPopup", {menu});
        const POINT p = screenPoint(toHwnd(Handle()), rt::arg(args, 1).asInteger(), rt::arg(args, 2).asInteger());
        command = static_cast<UINT>(TrackPopupMenu(reinterpret_cast<HMENU>(hMenu), TPM_RETURNCMD, p.x, p.y, 0,
                                                   toHwnd(Handle()), nullptr));
        sendIfUnderstood(form, "_oPopup", {Value()});
    }
    if (command) sendIfUnderstood(menu, "DoAction", {number(command)});
    return Value(false);
}

// ---- keyboard

Value XControl::WMKeyDown(rt::Args args) {
    const Value& key = rt::arg(args, 0);
    const Value& flags = rt::arg(args, 1);
    const Value answer = fireEvent(*this, OnKeyDown, {key, flags});
    if (!answer.isNil()) return answer;
    const int64_t k = key.asInteger();
    if (k >= VK_LEFT && k <= VK_DOWN) {
        switch (ctl::arrowMove(k, windowExists() ? dialogCode(toHwnd(Handle())) : 0)) {
            case ctl::FocusMove::Next: rt::send(*this, "GoNextControl"); break;
            case ctl::FocusMove::Previous: rt::send(*this, "GoPrevControl"); break;
            case ctl::FocusMove::None: break;
        }
        return {};
    }
    return sendIfUnderstood(parentValue(), "WMKeyDown", {key, flags});
}

Value XControl::WMKeyUp(rt::Args args) {
    const Value answer = fireEvent(*this, OnKeyUp, {rt::arg(args, 0), rt::arg(args, 1)});
    if (!answer.isNil()) return answer;
    return sendIfUnderstood(parentValue(), "WMKeyUp", {rt::arg(args, 0), rt::arg(args, 1)});
}

Value XControl::WMChar(rt::Args args) {
    const Value& key = rt::arg(args, 0);
    const Value& flags = rt::arg(args, 1);
    // Only the window's own message fires OnChar; a child forwarding its character passes no window.
    if (rt::arg(args, 2).asInteger()) {
        const Value answer = fireEvent(*this, OnChar, {key, flags});
        if (!answer.isNil()) return answer;
    }
    if (key.asInteger() == VK_TAB) {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        switch (ctl::tabMove(windowExists() ? dialogCode(toHwnd(Handle())) : 0, shift)) {
            case ctl::FocusMove::None: return {};
            case ctl::FocusMove::Previous: rt::send(*this, "GoPrevControl"); break;
            case ctl::FocusMove::Next: rt::send(*this, "GoNextControl"); break;
        }
        return Value(0);
    }
    return sendIfUnderstood(parentValue(), "WMChar", {key, flags});
}

namespace {

Value toForm(XControl& self, const Value& form, const char* message, rt::Args args) {
    if (sameObject(form, &self)) return {};
    return sendIfUnderstood(form, rt::Symbol::intern(message), args);
}

}  // namespace

Value XControl::WMSysKeyDown(rt::Args args) { return toForm(*this, formValue(), "WMSysKeyDown", args); }
Value XControl::WMSysKeyUp(rt::Args args) { return toForm(*this, formValue(), "WMSysKeyUp", args); }
Value XControl::WMSysChar(rt::Args args) { return toForm(*this, formValue(), "WMSysChar", args); }

}  // namespace vorpex
