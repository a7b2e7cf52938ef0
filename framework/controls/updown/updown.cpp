#include "framework/controls/updown/updown.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "framework/controls/control_rules.h"
#include "framework/controls/edit/edit.h"
#include "framework/controls/updown/updown_rules.h"
#include "framework/core/control/flag_style.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"
#include "runtime/lib/number.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

constexpr int64_t kHorizontal = 4, kVertical = 5;  // orHORIZONTAL, orVERTICAL
constexpr int64_t kAlignNone = 0, kAlignLeft = 1, kAlignRight = 3;

// A getter answering one element of what a method answers: nMin is GetRange()[1], nIncrement GetAccel()[2].
rt::NativeMethod elementOf(const char* method, size_t element) {
    return [method, element](rt::Object& self, const rt::Method&, rt::Args) -> Value {
        const Value pair = rt::send(self, method);
        return pair.isArray() ? pair.asArray()->at1(element) : Value();
    };
}

Value pairValue(const Value& a, const Value& b) { return Value::array({a, b}); }

}  // namespace

const rt::Class& XUpDown::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XUpDown;
        VPClass b("XUpDown", &TControl::classRecord(), rt::factoryOf<XUpDown>());
        b.addProperty({.name = "nWidth", .initial = 16, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 20, .scope = Published});
        kMin = b.addProperty({.name = "nMin", .initial = 0, .type = "N", .scope = Published,
                              .getter = elementOf("GetRange", 1), .setter = &X::SetMinProperty});
        kMax = b.addProperty({.name = "nMax", .initial = 0, .type = "N", .scope = Published,
                              .getter = elementOf("GetRange", 2), .setter = &X::SetMaxProperty});
        kAccels = b.addProperty({.name = "aAccels", .initial = Value::array(), .type = "A", .scope = Published,
                                 .setter = &X::SetAccelsProperty});
        kAccelTime = b.addProperty({.name = "nAccelTime", .initial = 5, .type = "N", .scope = Published,
                                    .getter = elementOf("GetAccel", 1), .setter = &X::SetAccelTimeProperty});
        kIncrement = b.addProperty({.name = "nIncrement", .initial = 1, .type = "N", .scope = Published,
                                    .getter = elementOf("GetAccel", 2), .setter = &X::SetIncrementProperty});
        kBase = b.addProperty({.name = "nBase", .initial = 10, .type = "N", .scope = Published, .getter = &X::GetBase,
                               .setter = &X::SetBase});
        kBuddyAlign = b.addProperty(
            {.name = "nBuddyAlign", .initial = kAlignRight, .type = "N", .scope = Published, .setter = &X::SetBuddyAlign,
             .choices = choiceList({{"alNONE", Value(0)}, {"alLEFT", Value(1)}, {"alRIGHT", Value(3)}})});
        const std::pair<const char*, std::pair<int*, bool>> flags[] = {
            {"lAutoBuddy", {&kAutoBuddy, false}}, {"lWrap", {&kWrap, false}}};
        for (const auto& [name, spec] : flags)
            *spec.first = b.addProperty({.name = name, .initial = spec.second, .type = "L", .scope = Published,
                                         .setter = std::string("Set") + (name + 1)});
        kOrientation = b.addProperty({.name = "nOrientation", .initial = kVertical, .type = "N", .scope = Published,
                                      .setter = &X::SetOrientation,
                                      .choices = choiceList({{"orHORIZONTAL", Value(4)}, {"orVERTICAL", Value(5)}})});
        const std::pair<const char*, std::pair<int*, bool>> moreFlags[] = {
            {"lSyncBuddy", {&kSyncBuddy, true}}, {"lArrowKeys", {&kArrowKeys, true}},
            {"lNoThousands", {&kNoThousands, false}}, {"lHotTrack", {&kHotTrack, true}}};
        for (const auto& [name, spec] : moreFlags)
            *spec.first = b.addProperty({.name = name, .initial = spec.second, .type = "L", .scope = Published,
                                         .setter = std::string("Set") + (name + 1)});
        kBuddy = b.addProperty({.name = "oBuddy", .type = "TControl", .scope = Published, .setter = &X::SetBuddy,
                                .editor = "PE_Control"});
        b.addEvent("OnChange", Published, "oSender, nPos, nDelta");
        kValue = b.addProperty({.name = "nValue", .initial = 0, .type = "N", .scope = Exported, .getter = &X::GetPos,
                                .setter = &X::SetPos});
        b.addProperty({.name = "nAccelCount", .initial = 0, .type = "N", .scope = Exported, .readOnly = true,
                       .getter = rt::NativeMethod([](rt::Object& self, const rt::Method&, rt::Args) -> Value {
                           const Value accels = self.field(kAccels);
                           return number(accels.isArray() ? static_cast<int64_t>(accels.asArray()->size()) : 0);
                       })});
        for (const char* unused : {"lParentFont", "nAlign", "nAnchors", "nClrPane", "nClrText", "oBrush", "oFont"})
            b.addProperty({.name = unused, .scope = Hidden});
        b.record().redeclareField(kWinClassName, Value(UPDOWN_CLASSA), "C");
        b.addProperty({.name = "cText", .scope = Protected});
        addMembers<XUpDown>(b);
        b.addMethod("SetAutoBuddy", flagStyleSetter(kAutoBuddy, UDS_AUTOBUDDY));
        b.addMethod("SetWrap", flagStyleSetter(kWrap, UDS_WRAP));
        b.addMethod("SetSyncBuddy", flagStyleSetter(kSyncBuddy, UDS_SETBUDDYINT));
        b.addMethod("SetArrowKeys", flagStyleSetter(kArrowKeys, UDS_ARROWKEYS));
        b.addMethod("SetNoThousands", flagStyleSetter(kNoThousands, UDS_NOTHOUSANDS));
        b.addMethod("SetHotTrack", flagStyleSetter(kHotTrack, UDS_HOTTRACK));
        b.addMethod("WMEraseBkgnd", [](rt::Object&, const rt::Method&, rt::Args) { return Value(1); });
        b.addMethod("WMPaint", XCONTROL_ERASEANDPAINT);
        return b.create();
    }();
    return c;
}

intptr_t XUpDown::send(unsigned message, intptr_t wParam, intptr_t lParam) const {
    if (!windowExists()) return 0;
    return SendMessageA(reinterpret_cast<HWND>(Handle()), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

Value XUpDown::Create(rt::Args args) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    SetBuddyAlign({});
    int64_t style = nCtlStyle();
    const std::pair<int, int64_t> flags[] = {{kAutoBuddy, UDS_AUTOBUDDY}, {kWrap, UDS_WRAP},
                                             {kSyncBuddy, UDS_SETBUDDYINT}, {kArrowKeys, UDS_ARROWKEYS},
                                             {kNoThousands, UDS_NOTHOUSANDS}, {kHotTrack, UDS_HOTTRACK}};
    for (const auto& [position, bit] : flags) style = ctl::changeBits(style, bit, field(position).asLogical());
    style = ctl::changeBits(style, UDS_HORZ, field(kOrientation).asInteger() == kHorizontal);
    setCtlStyle(style);
    Value self = TControl::Create(args);
    const Value buddy = field(kBuddy);
    if (buddy.isObject()) {
        SetBuddy(std::vector<Value>{buddy});
        field(kValue) = Value(rt::val(rt::send(buddy, "cText").asString()));
    }
    // Messages sent before the window existed were lost: send the stored state now.
    SetRange(std::vector<Value>{field(kMin), field(kMax)});
    SetPos(std::vector<Value>{field(kValue)});
    SetAccel(std::vector<Value>{field(kAccelTime), field(kIncrement)});
    return self;
}

bool XUpDown::buddyRefuses() const {
    const Value buddy = field(kBuddy);
    if (!buddy.isObject()) return false;
    if (!rt::send(buddy, "lEnabled").asLogical()) return true;
    return rt::objectAs<XEdit>(buddy) && rt::send(buddy, "lReadOnly").asLogical();
}

Value XUpDown::SetPos(rt::Args args) {
    if (buddyRefuses()) return {};
    const int64_t pos = rt::arg(args, 0).asInteger();
    send(UDM_SETPOS32, 0, static_cast<intptr_t>(pos));
    field(kValue) = number(pos);
    return field(kValue);
}

Value XUpDown::GetPos(rt::Args) {
    if (!windowExists()) return field(kValue);
    BOOL failed = FALSE;
    const intptr_t pos = send(UDM_GETPOS32, 0, reinterpret_cast<intptr_t>(&failed));
    if (!failed) field(kValue) = number(static_cast<int32_t>(pos));
    return field(kValue);
}

Value XUpDown::GetBuddy(rt::Args) {
    rt::ObjectPtr buddy = getControlFromHandle(send(UDM_GETBUDDY));
    return buddy ? Value(buddy) : Value();
}

Value XUpDown::SetBuddy(rt::Args args) {
    if (!args.empty()) field(kBuddy) = rt::arg(args, 0);
    if (!windowExists()) return field(kBuddy);
    const Value buddy = field(kBuddy);
    if (!buddy.isObject()) {
        send(UDM_SETBUDDY);
        return buddy;
    }
    // Attaching with an alignment takes the up-down's width from the buddy: give it that room first, so the
    // buddy keeps its visible width.
    const intptr_t handle = static_cast<intptr_t>(rt::send(buddy, "Handle").asInteger());
    const int64_t room = updown::buddyRoom(rt::send(*this, "nWidth").asInteger(),
                                           field(kBuddyAlign).asInteger() != kAlignNone, send(UDM_GETBUDDY), handle);
    if (room) rt::send(buddy, "_nWidth", {number(rt::send(buddy, "nWidth").asInteger() + room)});
    send(UDM_SETBUDDY, handle);
    return buddy;
}

Value XUpDown::GetBase(rt::Args) {
    if (windowExists()) field(kBase) = number(send(UDM_GETBASE));
    return field(kBase);
}

Value XUpDown::SetBase(rt::Args args) {
    field(kBase) = number(rt::arg(args, 0).asInteger());
    send(UDM_SETBASE, static_cast<intptr_t>(field(kBase).asInteger()));
    return field(kBase);
}

Value XUpDown::GetRange(rt::Args) {
    if (!windowExists()) return pairValue(field(kMin), field(kMax));
    INT low = 0, high = 0;
    send(UDM_GETRANGE32, reinterpret_cast<intptr_t>(&low), reinterpret_cast<intptr_t>(&high));
    return pairValue(number(low), number(high));
}

Value XUpDown::SetRange(rt::Args args) {
    field(kMin) = number(rt::arg(args, 0).asInteger());
    field(kMax) = number(rt::arg(args, 1).asInteger());
    send(UDM_SETRANGE32, static_cast<intptr_t>(field(kMin).asInteger()), static_cast<intptr_t>(field(kMax).asInteger()));
    return {};
}

Value XUpDown::SetMinProperty(rt::Args args) { return SetRange(std::vector<Value>{rt::arg(args, 0), field(kMax)}); }
Value XUpDown::SetMaxProperty(rt::Args args) { return SetRange(std::vector<Value>{field(kMin), rt::arg(args, 0)}); }

Value XUpDown::GetAccel(rt::Args) {
    UDACCEL accel{};
    if (send(UDM_GETACCEL, 1, reinterpret_cast<intptr_t>(&accel)) > 0)
        return pairValue(number(accel.nSec), number(accel.nInc));
    return pairValue(field(kAccelTime), field(kIncrement));
}

Value XUpDown::SetAccel(rt::Args args) {
    field(kAccelTime) = number(rt::arg(args, 0).asInteger());
    field(kIncrement) = number(rt::arg(args, 1).asInteger());
    UDACCEL accel{static_cast<UINT>(field(kAccelTime).asInteger()), static_cast<UINT>(field(kIncrement).asInteger())};
    return Value(send(UDM_SETACCEL, 1, reinterpret_cast<intptr_t>(&accel)) != 0);
}

Value XUpDown::SetAccelTimeProperty(rt::Args args) {
    return SetAccel(std::vector<Value>{rt::arg(args, 0), field(kIncrement)});
}
Value XUpDown::SetIncrementProperty(rt::Args args) {
    return SetAccel(std::vector<Value>{field(kAccelTime), rt::arg(args, 0)});
}

Value XUpDown::GetAccels(rt::Args) {
    std::vector<Value> pairs;
    const intptr_t count = send(UDM_GETACCEL);
    if (count > 0) {
        std::vector<UDACCEL> accels(static_cast<size_t>(count));
        const intptr_t got = send(UDM_GETACCEL, count, reinterpret_cast<intptr_t>(accels.data()));
        for (intptr_t i = 0; i < got && i < count; ++i)
            pairs.push_back(pairValue(number(accels[i].nSec), number(accels[i].nInc)));
    }
    return Value::array(std::move(pairs));
}

Value XUpDown::SetAccels(rt::Args) {
    const Value list = field(kAccels);
    if (!list.isArray() || list.asArray()->size() == 0) return Value(false);
    std::vector<UDACCEL> accels;
    for (const updown::Accel& a : updown::accelTable(list)) accels.push_back({a.seconds, a.increment});
    if (accels.empty()) return {};
    return Value(send(UDM_SETACCEL, static_cast<intptr_t>(accels.size()), reinterpret_cast<intptr_t>(accels.data())) != 0);
}

Value XUpDown::SetAccelsProperty(rt::Args args) {
    field(kAccels) = rt::arg(args, 0);
    SetAccels({});
    return field(kAccels);
}

Value XUpDown::SetBuddyAlign(rt::Args args) {
    if (rt::arg(args, 0).isNumber()) field(kBuddyAlign) = number(rt::arg(args, 0).asInteger());
    const int64_t align = field(kBuddyAlign).asInteger();
    rt::send(*this, "ChangeCtlStyle", {number(UDS_ALIGNLEFT), Value(align == kAlignLeft)});
    rt::send(*this, "ChangeCtlStyle", {number(UDS_ALIGNRIGHT), Value(align == kAlignRight)});
    return field(kBuddyAlign);
}

Value XUpDown::SetOrientation(rt::Args args) {
    const Value& asked = rt::arg(args, 0);
    if (!asked.isNumber() || asked.asInteger() == field(kOrientation).asInteger()) return field(kOrientation);
    const int64_t orientation = asked.asInteger();
    field(kOrientation) = number(orientation);
    const ctl::Bounds b = bounds();
    rt::send(*this, "ChangeCtlStyle", {number(UDS_HORZ), Value(orientation == kHorizontal)});
    // Turning either way swaps the control's width and height where it stands.
    SetBounds(std::vector<Value>{number(b.left), number(b.top), number(b.height), number(b.width)});
    Refresh({});
    return field(kOrientation);
}

Value XUpDown::Notify(rt::Args args) {
    const auto* header = reinterpret_cast<const NMHDR*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!header || header->code != static_cast<UINT>(UDN_DELTAPOS)) return Value(false);
    const auto* step = reinterpret_cast<const NMUPDOWN*>(header);
    return Value(updown::stepRefused(fireEvent(*this, OnChange, {number(step->iPos), number(step->iDelta)})));
}

}  // namespace vorpex
