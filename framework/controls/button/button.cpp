#include "framework/controls/button/button.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/controls/control_rules.h"
#include "framework/controls/painters/std_painters.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace stdctl;

namespace {

using native::number;
using win::toHwnd;

constexpr int64_t kPushedState = 4;  // BST_PUSHED in BM_GETSTATE's answer

}  // namespace

const rt::Class& XButton::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XButton;
        VPClass b("XButton", &TStdControl::classRecord(), rt::factoryOf<XButton>());
        b.addProperty({.name = "nWidth", .initial = 80, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 25, .scope = Published});
        kDefault = b.addProperty(
            {.name = "lDefault", .initial = false, .type = "L", .scope = Published, .setter = &X::SetDefault});
        kCancel = b.addProperty(
            {.name = "lCancel", .initial = false, .type = "L", .scope = Published, .setter = &X::SetCancel});
        kModalResult = b.addProperty(
            {.name = "nModalResult", .initial = 0, .type = "N", .scope = Published,
             .choices = choiceList({{"mrNONE", 0}, {"mrOK", 1}, {"mrCANCEL", 2}, {"mrABORT", 3}, {"mrRETRY", 4},
                                 {"mrIGNORE", 5}, {"mrYES", 6}, {"mrNO", 7}, {"mrCLOSE", 8}, {"mrHELP", 9},
                                 {"mrTRYAGAIN", 10}, {"mrCONTINUE", 11}, {"mrALL", -1}, {"mrNOTOALL", -2},
                                 {"mrYESTOALL", -3}})});
        kPushed = b.addProperty({.name = "lPushed", .initial = false, .type = "L", .scope = Published,
                                 .getter = &X::GetPushed, .setter = &X::SetPushed});
        kAlignment = b.addProperty({.name = "nAlignment", .initial = 6, .type = "N", .scope = Published,
                                    .setter = &X::SetAlignment,
                                    .choices = choiceList({{"taCENTER", 6}, {"taLEFT", 0}, {"taRIGHT", 2}})});
        kVAlignment = b.addProperty({.name = "nVAlignment", .initial = 1, .type = "N", .scope = Published,
                                     .setter = &X::SetVAlignment,
                                     .choices = choiceList({{"vaTOP", 0}, {"vaCENTER", 1}, {"vaBOTTOM", 2}})});
        kMultiLine = b.addProperty(
            {.name = "lMultiLine", .initial = false, .type = "L", .scope = Published, .setter = &X::SetMultiLine});
        b.addEvent("OnClick", Published, "oSender");
        // No colours of its own: the parent answers the button's colour requests.
        b.addProperty({.name = "oBrush", .scope = Exported});
        b.addProperty({.name = "nClrText", .scope = Exported});
        b.addProperty({.name = "nClrPane", .scope = Exported});
        b.record().redeclareField(kBrush, Value(), "O");
        b.record().redeclareField(kClrText, Value(), "N");
        b.record().redeclareField(kClrPane, Value(), "N");
        // A push button draws its own edge: neither the standard border nor the sunken 3-D edge (a NIL here
        // would read as "on" when the window is made).
        b.addProperty({.name = "l3D", .scope = Protected});
        b.addProperty({.name = "lBorder", .scope = Protected});
        b.record().redeclareField(k3D, Value(false), "L");
        b.record().redeclareField(kBorder, Value(false), "L");
        b.record().redeclareField(kWinClassName, Value("BUTTON"), "C");
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | BS_PUSHBUTTON), "N");
        kPrevCtrl = b.addData("oPrevCtrl", Value(), "O", Protected);
        addMembers<XButton>(b);
        b.addMethod("Notify", XBUTTON_NOTIFY);
        b.addMethod("WMPaint", XBUTTON_WMPAINT);
        b.addVirtual("VPClick");
        return b.create();
    }();
    return c;
}

Value XButton::Create(rt::Args args) {
    Value self = TStdControl::Create(args);
    if (lDefault())
        registerWithForm("oDefaultButton", true);
    else if (lCancel())
        registerWithForm("oCancelButton", true);
    SetPushed(std::vector<Value>{field(kPushed)});
    return self;
}

void XButton::registerWithForm(const char* member, bool on) {
    const Value form = formValue();
    if (form.isNil()) return;
    const Value self = selfObject();
    if (on) {
        sendIfUnderstood(form, std::string("_") + member, {self});
    } else if (sendIfUnderstood(form, member).sameAs(self)) {
        sendIfUnderstood(form, std::string("_") + member, {Value()});
    }
}

Value XButton::Click(rt::Args) {
    // The handler may close the form and so end both; they stay alive until the click is done.
    const Value keepSelf = selfObject();
    const Value form = formValue();
    const Value answer = fireEvent(*this, OnClick);
    const int64_t result = nModalResult();
    if (clickCloses(result, answer) && !form.isNil()) {
        sendIfUnderstood(form, "_nModalResult", {number(result)});
        sendIfUnderstood(form, "Close");
    }
    return Value(0);
}

Value XButton::ShortCut(rt::Args args) {
    if (!rt::send(*this, "SetFocus", {Value(lCancel())}).asLogical()) return {};
    rt::send(*this, rt::Symbol::intern("Click"), args);
    return Value(0);
}

Value XButton::GetPushed(rt::Args) { return field(kPushed); }

Value XButton::SetPushed(rt::Args args) {
    field(kPushed) = rt::arg(args, 0).asLogical();
    if (windowExists()) SendMessageA(toHwnd(Handle()), BM_SETSTATE, field(kPushed).asLogical(), 0);
    return field(kPushed);
}

Value XButton::SetImage(rt::Args args) {
    const int64_t type = rt::arg(args, 0).asInteger();
    const intptr_t image = static_cast<intptr_t>(rt::arg(args, 1).asInteger());
    setCtlStyle(buttonImageStyle(nCtlStyle(), type, image));
    applyStyles();
    if (windowExists()) SendMessageA(toHwnd(Handle()), BM_SETIMAGE, static_cast<WPARAM>(type), image);
    return {};
}

Value XButton::GetImage(rt::Args args) {
    return rt::send(*this, "SendMsg", {number(BM_GETIMAGE), rt::arg(args, 0), Value(0)});
}

Value XButton::WMKillFocus(rt::Args args) {
    const intptr_t h = static_cast<intptr_t>(rt::arg(args, 2).asInteger());
    const bool pushed = windowExists() && (SendMessageA(toHwnd(Handle()), BM_GETSTATE, 0, 0) & kPushedState);
    if (!pushed) return TStdControl::WMKillFocus(args);
    prevWindowProc(h ? h : Handle(), BM_SETSTATE, 0, 0);
    Value result = TStdControl::WMKillFocus(args);
    rt::send(*this, "Redraw");
    return result;
}

Value XButton::WMKeyDown(rt::Args args) {
    if (rt::arg(args, 0).asInteger() != VK_RETURN) return TStdControl::WMKeyDown(args);
    const Value answer = fireEvent(*this, OnKeyDown, {rt::arg(args, 0), rt::arg(args, 1)});
    if (!answer.isNil()) return answer;
    rt::send(*this, "Click");
    return Value(0);
}

Value XButton::WMChar(rt::Args args) {
    const Value& key = rt::arg(args, 0);
    const Value answer = fireEvent(*this, OnChar, {key, rt::arg(args, 1)});
    if (!answer.isNil()) return answer;
    switch (key.asInteger()) {
        case VK_RETURN: return Value(0);  // clicked on key-down already; no beep
        case VK_TAB: rt::send(*this, GetKeyState(VK_SHIFT) < 0 ? "GoPrevControl" : "GoNextControl"); return Value(0);
        default: return sendIfUnderstood(parentValue(), "WMChar", {key, rt::arg(args, 1)});
    }
}

Value XButton::WMLButtonDown(rt::Args args) {
    if (!lCancel()) return TStdControl::WMLButtonDown(args);
    const Value focused = controlOfWindow(reinterpret_cast<intptr_t>(GetFocus()));
    field(kPrevCtrl) = focused.asObject().get() == this ? Value() : focused;
    rt::send(*this, "SetFocus", {Value(true)});
    return {};
}

Value XButton::WMLButtonUp(rt::Args args) {
    const Value previous = field(kPrevCtrl);
    field(kPrevCtrl) = Value();
    const int64_t lParam = rt::arg(args, 1).asInteger();
    RECT r{};
    if (windowExists()) GetClientRect(toHwnd(Handle()), &r);
    if (previous.isNil() || !outside(ctl::mouseX(lParam), ctl::mouseY(lParam), r.right, r.bottom))
        return TStdControl::WMLButtonUp(args);
    // Released off the button: no click, and the control left behind may take the focus back.
    const intptr_t h = static_cast<intptr_t>(rt::arg(args, 2).asInteger());
    const intptr_t result = prevWindowProc(h ? h : Handle(), WM_LBUTTONUP,
                                           static_cast<uintptr_t>(rt::arg(args, 0).asInteger()), lParam);
    const Value valid = sendIfUnderstood(previous, "Valid", {selfObject()});
    if (valid.isLogical() && !valid.asLogical()) sendIfUnderstood(previous, "SetFocus", {Value(true)});
    return number(result);
}

Value XButton::SetDefault(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    field(kDefault) = on;
    rt::send(*this, "ChangeCtlStyle", {number(kBsDefPushButton), Value(on)});
    // Enter follows the button that is the default now, not the one that was at creation.
    if (lCreated()) registerWithForm("oDefaultButton", on);
    return Value(on);
}

Value XButton::SetCancel(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    if (on) field(kModalResult) = number(mrCANCEL);
    field(kCancel) = on;
    if (lCreated()) registerWithForm("oCancelButton", on);
    return Value(on);
}

Value XButton::SetAlignment(rt::Args args) {
    field(kAlignment) = rt::arg(args, 0);
    setCtlStyle(buttonAlignmentStyle(nCtlStyle(), rt::arg(args, 0).asInteger()));
    applyStyles();
    return rt::arg(args, 0);
}

Value XButton::SetVAlignment(rt::Args args) {
    field(kVAlignment) = rt::arg(args, 0);
    setCtlStyle(buttonVAlignmentStyle(nCtlStyle(), rt::arg(args, 0).asInteger()));
    applyStyles();
    return rt::arg(args, 0);
}

Value XButton::SetMultiLine(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    field(kMultiLine) = on;
    rt::send(*this, "ChangeCtlStyle", {number(kBsMultiLine), Value(on)});
    return Value(on);
}

}  // namespace vorpex
