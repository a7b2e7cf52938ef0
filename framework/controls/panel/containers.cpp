#include "framework/controls/panel/containers.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/controls/painters/std_painters.h"
#include "framework/controls/panel/container_painters.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using rt::scope::Exported;
using rt::scope::Hidden;
using rt::scope::Protected;
using rt::scope::Published;

namespace {

using native::number;

rt::NativeMethod answer(long long n) {
    return [n](rt::Object&, const rt::Method&, rt::Args) { return Value(n); };
}

// CS_PARENTDC with CS_HREDRAW and CS_VREDRAW: a bevel and a panel draw straight into their parent's DC.
constexpr int64_t kParentDCRedraw = 131;
constexpr int64_t kHRedrawVRedraw = 3;

Value bevelChoices() {
    return choiceList({{"bvNONE", Value(0)}, {"bvRAISED", Value(3)}, {"bvSUNKEN", Value(4)}});
}

// Hides inherited properties the class does not offer; their values stay as redeclared.
void hide(VPClass& b, std::initializer_list<const char*> names) {
    for (const char* name : names) b.addProperty({.name = name, .scope = Hidden});
}

// A framed control draws its own frame: neither the standard border nor the sunken 3-D edge (a NIL here
// would read as "on" when the window is made).
void noStandardBorder(VPClass& b, int position3D, int positionBorder) {
    b.record().redeclareField(position3D, Value(false), "L");
    b.record().redeclareField(positionBorder, Value(false), "L");
}

}  // namespace

// ---- group box

const rt::Class& XGroupBox::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XGroupBox", &TWinControl::classRecord(), rt::factoryOf<XGroupBox>());
        b.addProperty({.name = "nWidth", .initial = 120, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 90, .scope = Published});
        b.addProperty({.name = "nAlignment", .initial = 0, .type = "N", .scope = Published,
                       .choices = choiceList({{"taLEFT", Value(0)}, {"taRIGHT", Value(2)}, {"taCENTER", Value(6)}})});
        hide(b, {"cBalloon", "cTooltip", "cTooltipTitle", "nTooltipIcon", "cMessage", "l3D", "lBorder"});
        noStandardBorder(b, k3D, kBorder);
        b.addProperty({.name = "lTransparent", .scope = Hidden});
        b.record().redeclareField(kTransparent, Value(true), "L");
        hide(b, {"oBkgnd", "nBkgndMode"});
        b.record().redeclareField(kClassStyle, number(kHRedrawVRedraw), "N");
        b.addProperty({.name = "cTheme", .scope = Protected});
        b.record().redeclareField(kTheme, Value("Button"), "C");
        b.addProperty({.name = "lTabStop", .scope = Exported, .readOnly = true});
        b.record().redeclareField(kTabStop, Value(false), "L");
        // Lets buttons inside paint over the group box's themed background.
        b.addMethod("Notify", XBUTTON_NOTIFY);
        // Clicks are swallowed: a group box takes no focus and fires no click.
        b.addMethod("WMLButtonDown", answer(0));
        b.addMethod("WMLButtonDblClk", answer(0));
        b.addMethod("WMEraseBkgnd", answer(1));
        b.addMethod("WMPaint", XGROUPBOX_WMPAINT);
        b.addMethod("WMPrintClient", XGROUPBOX_WMPRINTCLIENT);
        return b.create();
    }();
    return c;
}

// ---- bevel

const rt::Class& XBevel::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XBevel", &TWinControl::classRecord(), rt::factoryOf<XBevel>());
        b.addProperty({.name = "nWidth", .initial = 100, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 100, .scope = Published});
        b.addProperty({.name = "nBorderStyle", .scope = Published});
        b.record().redeclareField(kBorderStyle, number(6), "N");
        b.addProperty({.name = "lTransparent", .scope = Published});
        b.record().redeclareField(kTransparent, Value(false), "L");
        hide(b, {"cMessage", "l3D", "lBorder", "lTabStop", "lParentFont", "nClrText", "oFont"});
        noStandardBorder(b, k3D, kBorder);
        b.record().redeclareField(kTabStop, Value(false), "L");
        b.record().redeclareField(kClassStyle, number(kParentDCRedraw), "N");
        b.addProperty({.name = "cText", .scope = Protected});
        b.addEvent("OnDblClick", Protected, "");
        b.addMethod("WMEraseBkgnd", answer(1));
        b.addMethod("WMPaint", XWINCONTROL_WMERASEBKGND);
        return b.create();
    }();
    return c;
}

// ---- panel

const rt::Class& XPanel::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using X = XPanel;
        VPClass b("XPanel", &TWinControl::classRecord(), rt::factoryOf<XPanel>());
        b.addProperty({.name = "nWidth", .initial = 120, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 90, .scope = Published});
        kBevelOuter = b.addProperty({.name = "nBevelOuter", .initial = 3, .type = "N", .scope = Published,
                                     .setter = &X::SetBevelOuter, .choices = bevelChoices()});
        kBevelInner = b.addProperty({.name = "nBevelInner", .initial = 0, .type = "N", .scope = Published,
                                     .setter = &X::SetBevelInner, .choices = bevelChoices()});
        kXPLook = b.addProperty(
            {.name = "lXPLook", .initial = true, .type = "L", .scope = Published, .setter = &X::SetXPLook});
        b.record().redeclareField(kClassStyle, number(kParentDCRedraw), "N");
        b.addProperty({.name = "l3D", .scope = Protected});
        b.addProperty({.name = "lBorder", .scope = Protected});
        noStandardBorder(b, k3D, kBorder);
        b.addEvent("OnDblClick", Protected, "");
        b.addEvent("OnPaint", Protected, "");
        b.addEvent("OnPainted", Protected, "");
        addMembers<XPanel>(b);
        b.addMethod("WMEraseBkgnd", XPANEL_WMPAINT);
        b.addMethod("WMPaint", XPANEL_WMPAINT);
        b.addMethod("WMPrintClient", XPANEL_WMPAINT);
        b.addMethod("WMNCPaint", XPANEL_WMNCPAINT);
        b.addMethod("WMNCCalcSize", XPANEL_WMNCCALCSIZE);
        return b.create();
    }();
    return c;
}

Value XPanel::Create(rt::Args args) {
    SetXPLook(std::vector<Value>{field(kXPLook)});
    Value self = TWinControl::Create(args);
    RefreshBorder({});
    return self;
}

Value XPanel::SetXPLook(rt::Args args) {
    const Value& given = rt::arg(args, 0);
    const bool on = given.isNil() || given.asLogical();
    field(kXPLook) = on;
    rt::send(*this, "SetTheme", {on ? Value("Toolbar") : Value()});
    RefreshBorder({});
    return selfObject();
}

Value XPanel::RefreshBorder(rt::Args) {
    // Windows recomputes the non-client frame (the bevels) and repaints it.
    if (windowExists())
        SetWindowPos(reinterpret_cast<HWND>(Handle()), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    return selfObject();
}

Value XPanel::SetBevelOuter(rt::Args args) {
    field(kBevelOuter) = rt::arg(args, 0);
    RefreshBorder({});
    return field(kBevelOuter);
}

Value XPanel::SetBevelInner(rt::Args args) {
    field(kBevelInner) = rt::arg(args, 0);
    RefreshBorder({});
    return field(kBevelInner);
}

}  // namespace vorpex
