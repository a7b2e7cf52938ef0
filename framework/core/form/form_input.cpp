// XForm: keyboard and shortcuts, activation and focus, size and limits, menus, commands and owner-drawn items.
#include <windows.h>

#include "framework/core/form/form.h"
#include "framework/core/form/form_styles.h"
#include "framework/core/native/application_value.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

using native::number;
using win::toHwnd;
int64_t lowWord(int64_t v) { return v & 0xFFFF; }
int64_t highWord(int64_t v) { return (v >> 16) & 0xFFFF; }
int64_t signedLow(int64_t v) { return static_cast<int16_t>(v & 0xFFFF); }
int64_t signedHigh(int64_t v) { return static_cast<int16_t>((v >> 16) & 0xFFFF); }

bool enabledAndVisible(const Value& v) {
    auto c = rt::objectAs<XControl>(v);
    if (c) return c->lEnabled() && c->lVisible();
    return sendIfUnderstood(v, "lEnabled").asLogical() && sendIfUnderstood(v, "lVisible").asLogical();
}

}  // namespace

// ---- keyboard

bool XForm::usableButton(const Value& button) const { return !button.isNil() && enabledAndVisible(button); }

Value XForm::WMKeyDown(rt::Args args) {
    const Value key = rt::arg(args, 0), flags = rt::arg(args, 1);
    const Value handled = fireEvent(*this, OnKeyDown, {key, flags});
    if (!handled.isNil()) return handled;
    if (key.asInteger() == VK_RETURN) {
        const Value button = field(kDefaultButton);
        bool letsGo = true;
        const Value active = field(kActiveControl);
        if (usableButton(button) && !active.isNil()) {
            const Value answer = sendIfUnderstood(active, "Valid", {button});
            letsGo = !(answer.isLogical() && !answer.asLogical());
        }
        const bool useReturn = sendIfUnderstood(application(), "lUseReturn").asLogical();
        switch (returnKeyAction(usableButton(button), letsGo, useReturn)) {
            case KeyAction::ClickDefault: rt::send(button, "Click"); return Value(0);
            case KeyAction::NextControl: rt::send(*this, "GoNextControl"); return Value(0);
            case KeyAction::Swallow: return Value(0);
            default: return {};
        }
    }
    if (key.asInteger() == VK_ESCAPE) {
        const Value button = field(kCancelButton);
        switch (escapeKeyAction(usableButton(button), nBorderStyle() == bsDIALOG, field(kCloseBox).asLogical())) {
            case KeyAction::ClickCancel: rt::send(button, "Click"); return Value(0);
            case KeyAction::CloseForm: Close({}); return Value(0);
            default: return {};
        }
    }
    return {};
}

Value XForm::WMKeyUp(rt::Args args) { return fireEvent(*this, OnKeyUp, {rt::arg(args, 0), rt::arg(args, 1)}); }

Value XForm::WMChar(rt::Args args) {
    const Value handled = fireEvent(*this, OnChar, {rt::arg(args, 0), rt::arg(args, 1)});
    if (!handled.isNil()) return handled;
    const int64_t key = rt::arg(args, 0).asInteger();
    if (key == VK_RETURN || key == VK_ESCAPE) return Value(0);
    if (field(kDirectShortCuts).asLogical()) return WMSysChar(args);
    return {};
}

Value XForm::WMSysChar(rt::Args args) {
    const char letter = static_cast<char>(rt::arg(args, 0).asInteger());
    const ShortcutEntry* e = shortcuts_.find(letter, enabledAndVisible);
    if (!e) return {};
    const Value control(e->control.asObject());
    return rt::send(control, "ShortCut", {e->explicitKey ? Value(std::string(1, e->key)) : Value()});
}

Value XForm::AddShortCut(rt::Args args) {
    const Value& control = rt::arg(args, 0);
    const Value& keys = rt::arg(args, 1);
    if (keys.isArray()) {
        shortcuts_.addKeys(control, keys);
    } else if (control.isObject()) {
        const Value text = sendIfUnderstood(control, "cText");
        if (text.isString()) shortcuts_.addTextLetter(control, text.asString());
    }
    return {};
}

Value XForm::DelShortCut(rt::Args args) {
    shortcuts_.remove(rt::arg(args, 0));
    return {};
}

Value XForm::ShortcutsArray(rt::Args) { return shortcuts_.toArray(); }

// ---- activation and focus

Value XForm::WMActivate(rt::Args args) {
    const Value other = controlOfWindow(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (lowWord(rt::arg(args, 0).asInteger()) != WA_INACTIVE) {
        field(kActive) = true;
        if (field(kPrevWnd).isNil() && rt::objectAs<XForm>(other)) field(kPrevWnd) = Value::weak(other.asObject());
        if (listed_) sendIfUnderstood(application(), "SetActiveForm", {selfObject()});
        return fireEvent(*this, OnActivate, {other});
    }
    field(kActive) = false;
    return fireEvent(*this, OnDeactivate, {other});
}

Value XForm::WMNCActivate(rt::Args args) {
    if (!isMdiChild()) return {};
    if (!rt::arg(args, 0).asInteger()) {
        fireEvent(*this, OnDeactivate, {Value()});
        return {};
    }
    sendIfUnderstood(field(kMdiClient), "SetActiveForm", {selfObject()});
    if (windowExists()) UpdateWindow(toHwnd(Handle()));
    fireEvent(*this, OnActivate, {Value()});
    return {};
}

Value XForm::WMSetFocus(rt::Args args) {
    const intptr_t client = handleOf(field(kMdiClient));
    if (nFormType() == ftMDIFRAME && client) {
        HWND active = reinterpret_cast<HWND>(SendMessageA(toHwnd(client), WM_MDIGETACTIVE, 0, 0));
        if (active) {
            const bool frameLost = static_cast<intptr_t>(rt::arg(args, 0).asInteger()) == Handle();
            frameLost ? PostMessageA(active, WM_CHILDACTIVATE, 0, 0) : SendMessageA(active, WM_CHILDACTIVATE, 0, 0);
            return Value(0);
        }
    }
    return XWinControl::WMSetFocus(args);
}

Value XForm::WMChildActivate(rt::Args) {
    if (!isMdiChild()) return {};
    const intptr_t client = handleOf(field(kMdiClient));
    auto frame = rt::objectAs<XForm>(parentValue());
    if (client && frame) {
        Value menu = sendIfUnderstood(selfObject(), "oMenu");
        if (menu.isNil()) menu = sendIfUnderstood(Value(frame), "oMenu");
        Value windowMenu = field(kMDIMenu);
        if (windowMenu.isNil()) windowMenu = frame->field(kMDIMenu);
        SendMessageA(toHwnd(client), WM_MDIREFRESHMENU, 0, 0);
        SendMessageA(toHwnd(client), WM_MDISETMENU, static_cast<WPARAM>(handleOf(menu)),
                     static_cast<LPARAM>(handleOf(windowMenu)));
        if (frame->windowExists()) DrawMenuBar(toHwnd(frame->Handle()));
    }
    Value active = field(kActiveControl);
    if (active.isNil()) active = rt::send(*this, "GoFirstControl");
    sendIfUnderstood(active, "SetFocus");
    return {};
}

Value XForm::WMWindowPosChanging(rt::Args) {
    if (isMdiChild())
        if (const intptr_t client = handleOf(field(kMdiClient))) SendMessageA(toHwnd(client), WM_NCPAINT, 1, 0);
    return {};
}

// ---- size and limits

Value XForm::WMSize(rt::Args args) {
    XScrollingWinControl::WMSize(args);
    sendIfUnderstood(field(kMsgBar), "Resize");
    const int64_t type = rt::arg(args, 0).asInteger();
    const int64_t lParam = rt::arg(args, 1).asInteger();
    if ((type == 0 && lParam == 0) || (type == -1 && isMdiChild())) return Value(0);
    const Value answer = fireEvent(*this, OnSize, {number(type), number(lowWord(lParam)), number(highWord(lParam))});
    if (answer.isNil() && !isMdiChild()) return Value(0);
    return answer;  // an MDI child's default processing must run
}

Value XForm::WMShowWindow(rt::Args args) {
    if (rt::arg(args, 0).asInteger() && !rt::arg(args, 1).asInteger()) rt::send(*this, "AlignControls");
    return {};
}

Value XForm::WMMove(rt::Args args) {
    const int64_t l = rt::arg(args, 1).asInteger();
    return fireEvent(*this, OnMove, {number(signedLow(l)), number(signedHigh(l))});
}

Value XForm::WMGetMinMaxInfo(rt::Args args) {
    auto* info = reinterpret_cast<MINMAXINFO*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!info) return {};
    MinMaxInfo m{info->ptMaxSize.x,     info->ptMaxSize.y,     info->ptMaxPosition.x, info->ptMaxPosition.y,
                 info->ptMinTrackSize.x, info->ptMinTrackSize.y, info->ptMaxTrackSize.x, info->ptMaxTrackSize.y};
    const SizeLimits limits{field(kMinWidth).asInteger(), field(kMinHeight).asInteger(),
                            field(kMaxWidth).asInteger(), field(kMaxHeight).asInteger(),
                            field(kMaxPosX).asInteger(),  field(kMaxPosY).asInteger()};
    if (!applySizeLimits(m, limits)) return {};
    info->ptMaxPosition = {m.maxPositionX, m.maxPositionY};
    info->ptMinTrackSize = {m.minTrackX, m.minTrackY};
    info->ptMaxTrackSize = {m.maxTrackX, m.maxTrackY};
    return Value(0);
}

// ---- menus and commands

Value XForm::WMInitMenu(rt::Args args) {
    const Value menu = sendIfUnderstood(selfObject(), "oMenu");
    if (!menu.isNil() && handleOf(menu) == static_cast<intptr_t>(rt::arg(args, 0).asInteger()))
        sendIfUnderstood(menu, "RequestState");
    return {};
}

Value XForm::findMenuItem(int64_t id) {
    const Value idValue = number(id);
    for (const Value& menu : {sendIfUnderstood(selfObject(), "oMenu"), field(kPopup)}) {
        const Value item = sendIfUnderstood(menu, "FindItem", {idValue});
        if (!item.isNil()) return item;
    }
    if (nFormType() == ftMDIFRAME) {
        const Value child = sendIfUnderstood(field(kMdiClient), "oActiveForm");
        const Value item = sendIfUnderstood(sendIfUnderstood(child, "oMenu"), "FindItem", {idValue});
        if (!item.isNil()) return item;
    }
    return {};
}

Value XForm::WMMenuSelect(rt::Args args) {
    const int64_t wParam = rt::arg(args, 0).asInteger();
    const Value hMenu = rt::arg(args, 1);
    const Value bar = field(kMsgBar);
    const bool assigned = eventAssigned(*this, OnMenuSelect);
    if (hMenu.asInteger() != 0) {
        const Value item = findMenuItem(lowWord(wParam));
        const Value message = sendIfUnderstood(item, "cMessage");
        if (assigned) fireEvent(*this, OnMenuSelect, {number(wParam), hMenu, message, item});
        if (!bar.isNil()) {
            if (menuStatus_.shouldRemember())
                menuStatus_.remember(sendIfUnderstood(bar, "lSimple").asLogical(), sendIfUnderstood(bar, "cSimpleText"));
            sendIfUnderstood(bar, "_lSimple", {Value(true)});
            sendIfUnderstood(bar, "_cSimpleText", {message.isString() ? message : Value("")});
        }
        return Value(0);
    }
    if (assigned) fireEvent(*this, OnMenuSelect, {number(wParam), Value(0), Value()});
    bool simple = false;
    Value text;
    if (menuStatus_.takeBack(simple, text) && !bar.isNil()) {
        sendIfUnderstood(bar, "_cSimpleText", {text});
        sendIfUnderstood(bar, "_lSimple", {Value(simple)});
    }
    return Value(0);
}

Value XForm::menuForCommand() {
    const Value popup = field(kPopup);
    if (lPopup() && !popup.isNil()) return popup;
    const Value own = sendIfUnderstood(selfObject(), "oMenu");
    if (nFormType() == ftMDIFRAME && windowExists()) {
        const bool showsOther = !own.isNil() && reinterpret_cast<intptr_t>(GetMenu(toHwnd(Handle()))) != handleOf(own);
        if (own.isNil() || showsOther) {
            const Value child = sendIfUnderstood(field(kMdiClient), "oActiveForm");
            return sendIfUnderstood(child, "oMenu");  // no child or no menu: no menu acts
        }
    }
    return own;
}

Value XForm::WMCommand(rt::Args args) {
    const int64_t wParam = rt::arg(args, 0).asInteger();
    if (rt::arg(args, 1).asInteger() == 0 && highWord(wParam) == 0) {
        const Value menu = menuForCommand();
        if (!menu.isNil() && sendIfUnderstood(menu, "DoAction", {number(lowWord(wParam))}).asLogical())
            return Value(0);
        return {};
    }
    return XWinControl::WMCommand(args);
}

Value XForm::WMSysCommand(rt::Args args) {
    if ((rt::arg(args, 0).asInteger() & 0xFFF0) == SC_CONTEXTHELP) return fireEvent(*this, OnHelpClick);
    return {};
}

// An owner-drawn menu item is found in the form's menu, then in its pop-up menu; a control's item goes to the
// control with that id.
Value XForm::WMDrawItem(rt::Args args) {
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!item) return {};
    if (item->CtlType != ODT_MENU) return XControl::WMDrawItem(args);
    return sendIfUnderstood(findMenuItem(item->itemID), "DrawItem", {rt::arg(args, 1)});
}

Value XForm::WMMeasureItem(rt::Args args) {
    auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!item) return {};
    if (item->CtlType != ODT_MENU) return XControl::WMMeasureItem(args);
    return sendIfUnderstood(findMenuItem(item->itemID), "MeasureItem", {rt::arg(args, 1)});
}

}  // namespace vorpex
