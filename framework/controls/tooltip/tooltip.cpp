#include "framework/controls/tooltip/tooltip.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/core/control/control.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;
using win::toHwnd;

constexpr int kMaxTipWidth = 32768;

intptr_t formWindowOf(const Value& control) { return handleOf(sendIfUnderstood(control, "GetForm")); }

RECT rectFrom(const Value& v) {
    RECT r{};
    auto a = v.asArray();
    if (!a || a->size() < 4) return r;
    auto at = [&](size_t i) { return static_cast<LONG>(a->at1(i).asInteger()); };
    return {at(1), at(2), at(3), at(4)};
}

TTTOOLINFOA toolInfo(const tip::ToolKey& key) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = key.flags;
    info.hwnd = toHwnd(key.owner);
    info.uId = static_cast<UINT_PTR>(key.id);
    info.lParam = static_cast<LPARAM>(key.id);
    return info;
}

}  // namespace

const rt::Class& XToolTip::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XToolTip;
        VPClass b("XToolTip", &TWinObject::classRecord(), rt::factoryOf<XToolTip>());
        kCtlStyle = b.addData("nCtlStyle", number(tip::kNoPrefix), "N", Hidden);
        kText = b.addData("cText", Value(), "C", Exported);
        kTitle = b.addData("cTitle", Value(), "C", Exported);
        kIcon = b.addData("nIcon", Value(), "N", Exported);
        kAlwaysTip = b.addProperty({.name = "lAlwaysTip", .initial = false, .type = "L", .scope = Exported,
                                    .setter = &X::SetAlwaysTip});
        kCloseButton = b.addProperty({.name = "lCloseButton", .initial = false, .type = "L", .scope = Exported,
                                      .setter = &X::SetCloseButton});
        b.addEvent("OnShow", Exported, "oSender");
        b.addEvent("OnHide", Exported, "oSender");
        b.addEvent("OnLinkClick", Exported, "oSender");
        b.addData("oForm", Value(), "O", Exported);
        addMembers<XToolTip>(b);
        b.addMethod("Link", linkMethod);
        b.addMethod("Unlink", unlinkMethod);
        return b.create();
    }();
    return c;
}

const rt::Class& XBalloon::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XBalloon", &TToolTip::classRecord(), rt::factoryOf<XBalloon>());
        b.record().redeclareField(XToolTip::kCtlStyle, number(tip::kBalloon | tip::kNoPrefix), "N");
        return b.create();
    }();
    return c;
}

bool XToolTip::isBalloon() const { return objectClass().isDerivedFrom(XBalloon::classRecord()); }

Value XToolTip::Create(rt::Args args) {
    INITCOMMONCONTROLSEX icc{sizeof icc, 255};
    InitCommonControlsEx(&icc);
    TWinObject::Create(args);
    HWND h = CreateWindowExA(0, TOOLTIPS_CLASSA, "", static_cast<DWORD>(field(kCtlStyle).asInteger()), CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    setHandle(reinterpret_cast<intptr_t>(h));
    if (!h) return selfValue();
    rt::send(*this, "Link");
    SendMessageA(h, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetAlwaysTip(std::vector<Value>{field(kAlwaysTip)});
    return selfValue();
}

Value XToolTip::Destroy(rt::Args args) {
    if (const intptr_t h = Handle()) {
        rt::send(*this, "Unlink");
        DestroyWindow(toHwnd(h));
        setHandle(0);
    }
    return TWinObject::Destroy(args);
}

Value XToolTip::SetAlwaysTip(rt::Args args) {
    const Value& on = rt::arg(args, 0);
    if (on.isLogical()) field(kAlwaysTip) = on;
    if (HWND h = toHwnd(Handle())) {
        const LONG style = GetWindowLongA(h, GWL_STYLE);
        SetWindowLongA(h, GWL_STYLE, field(kAlwaysTip).asLogical() ? (style | TTS_ALWAYSTIP) : (style & ~TTS_ALWAYSTIP));
    }
    return field(kAlwaysTip);
}

Value XToolTip::SetCloseButton(rt::Args args) {
    const Value& on = rt::arg(args, 0);
    if (on.isLogical()) field(kCloseButton) = on;
    // Only a window made afterwards takes it: the tip window reads this style when it is created.
    field(kCtlStyle) = number(ctl::changeBits(field(kCtlStyle).asInteger(), tip::kCloseButton,
                                              field(kCloseButton).asLogical()));
    return field(kCloseButton);
}

void XToolTip::applyTitle(const Value& control) {
    const auto title = tip::tipTitle(field(kTitle), field(kIcon), sendIfUnderstood(control, "cTooltipTitle"),
                                     sendIfUnderstood(control, "nTooltipIcon"));
    if (title)
        SendMessageA(toHwnd(Handle()), TTM_SETTITLEA, static_cast<WPARAM>(title->icon),
                     reinterpret_cast<LPARAM>(title->text.c_str()));
}

Value XToolTip::sendTool(unsigned message, rt::Args args) {
    const Value& control = rt::arg(args, 0);
    if (!control.isObject() || !Handle()) return {};
    const Value& id = rt::arg(args, 2);
    const auto key = tip::registeredTool(handleOf(control), formWindowOf(control),
                                         id.isNumber() ? std::optional<int64_t>(id.asInteger()) : std::nullopt);
    TTTOOLINFOA info = toolInfo(key);
    if (id.isNumber()) info.rect = rectFrom(rt::arg(args, 1));
    const Value text = sendIfUnderstood(control, isBalloon() ? "cBalloon" : "cTooltip");
    if (text.isString()) {
        info.lpszText = LPSTR_TEXTCALLBACKA;  // asked for each time it shows, so it follows the control's text
    } else if (text.isNumber()) {
        info.hinst = GetModuleHandleA(nullptr);
        info.lpszText = MAKEINTRESOURCEA(text.asInteger());
    }
    SendMessageA(toHwnd(Handle()), message, 0, reinterpret_cast<LPARAM>(&info));
    applyTitle(control);
    return {};
}

Value XToolTip::AddTool(rt::Args args) { return sendTool(TTM_ADDTOOLA, args); }
Value XToolTip::SetToolInfo(rt::Args args) { return sendTool(TTM_SETTOOLINFOA, args); }

Value XToolTip::DelTool(rt::Args args) {
    const Value& control = rt::arg(args, 0);
    if (!control.isObject() || !Handle()) return {};
    const Value& id = rt::arg(args, 1);
    const auto key = tip::registeredTool(handleOf(control), formWindowOf(control),
                                         id.isNumber() ? std::optional<int64_t>(id.asInteger()) : std::nullopt);
    TTTOOLINFOA info = toolInfo(key);
    SendMessageA(toHwnd(Handle()), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    return {};
}

Value XToolTip::Show(rt::Args args) {
    Value control = rt::arg(args, 2);
    if (!control.isObject()) control = oParent() ? Value(oParent()) : Value();
    if (!control.isObject() || !Handle()) return {};
    HWND tipWindow = toHwnd(Handle());
    const intptr_t controlWindow = handleOf(control);
    std::string text =
        tip::trackingText(field(kText), sendIfUnderstood(control, isBalloon() ? "cBalloon" : "cTooltip"));
    TTTOOLINFOA info = toolInfo(tip::trackingTool(controlWindow, formWindowOf(control)));
    info.lpszText = text.data();
    // The control's tracking tool is replaced, never added a second time.
    SendMessageA(tipWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    applyTitle(control);
    POINT at{};
    const Value &x = rt::arg(args, 0), &y = rt::arg(args, 1);
    if (x.isNumber() && y.isNumber()) {
        at = {static_cast<LONG>(x.asInteger()), static_cast<LONG>(y.asInteger())};
        ClientToScreen(toHwnd(controlWindow), &at);
    } else {
        RECT r{};
        GetWindowRect(toHwnd(controlWindow), &r);
        at = {r.left, r.top};
    }
    SendMessageA(tipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageA(tipWindow, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(tipWindow, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    return {};
}

Value XToolTip::Hide(rt::Args) {
    if (HWND h = toHwnd(Handle())) PostMessageA(h, TTM_POP, 0, 0);
    return {};
}

Value XToolTip::Notify(rt::Args args) {
    const auto* header = reinterpret_cast<const NMHDR*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!header) return {};
    switch (static_cast<int>(header->code)) {
        case static_cast<int>(TTN_SHOW): fireEvent(*this, OnShow); break;
        case static_cast<int>(TTN_POP): fireEvent(*this, OnHide); break;
        case static_cast<int>(TTN_LINKCLICK): fireEvent(*this, OnLinkClick); break;
        default: break;
    }
    return {};
}

Value XToolTip::WMShowWindow(rt::Args args) {
    fireEvent(*this, rt::arg(args, 0).asInteger() == 0 ? OnHide : OnShow);
    return {};
}

Value XToolTip::WMLButtonUp(rt::Args) {
    // With visual styles the tip has its own close button; without them a click is the way to dismiss it.
    if (!theme::isAppThemed()) Hide({});
    return {};
}

}  // namespace vorpex
