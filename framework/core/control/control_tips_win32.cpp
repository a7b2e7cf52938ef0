// XControl: tool tips in the application's shared tip windows, the transient tips, and the answers to the
// tip windows' text requests.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/core/control/control.h"
#include "framework/core/native/casts.h"
#include "framework/core/native/win_system.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

using native::number;

// The tip window object (Application:oTooltip or oBalloon) as a sink for the zone bookkeeping.
class ObjectTipSink final : public ctl::TipSink {
public:
    ObjectTipSink(Value tip, Value control) : tip_(std::move(tip)), control_(std::move(control)) {}
    void addWindowTool() override { sendIfUnderstood(tip_, "AddTool", {control_}); }
    void addZone(const Value& rect, int64_t id) override { sendIfUnderstood(tip_, "AddTool", {control_, rect, number(id)}); }
    void updateWindowTool() override { sendIfUnderstood(tip_, "SetToolInfo", {control_}); }
    void deleteWindowTool() override { sendIfUnderstood(tip_, "DelTool", {control_}); }
    void deleteZone(int64_t id) override { sendIfUnderstood(tip_, "DelTool", {control_, number(id)}); }

private:
    Value tip_, control_;
};

Value tipObject(bool balloon) { return sendIfUnderstood(Application(), balloon ? "oBalloon" : "oTooltip"); }

// The UTF-16 answer of the last wide text request, shared by every control: a tip copies it before it asks
// again, and TTN_POP ends it.
std::wstring& wideTipText() {
    static std::wstring text;
    return text;
}

}  // namespace

intptr_t XControl::applicationTip(bool balloon) { return handleOf(tipObject(balloon)); }

const char* XControl::keepTipText(const std::string& text) {
    tipText_ = text;
    return tipText_.c_str();
}

void XControl::applyTips(bool balloon, const Value& text, const Value& rect, std::optional<int64_t> id) {
    ctl::TooltipZones& zones = balloon ? balloonZones_ : tooltipZones_;
    ObjectTipSink sink(tipObject(balloon), selfObject());
    zones.apply(sink, text.isString() && !text.asString().empty(), rect, id);
    field(balloon ? kHasBalloon : kHasTooltip) = zones.registered();
    field(balloon ? kBalloonZones : kTooltipZones) = number(zones.zoneCount());
}

void XControl::dropTips() {
    for (bool balloon : {false, true}) {
        ctl::TooltipZones& zones = balloon ? balloonZones_ : tooltipZones_;
        ObjectTipSink sink(tipObject(balloon), selfObject());
        zones.clear(sink);
        field(balloon ? kHasBalloon : kHasTooltip) = false;
        field(balloon ? kBalloonZones : kTooltipZones) = 0;
    }
}

Value XControl::SetTooltip(rt::Args args) {
    const Value& text = rt::arg(args, 0);
    field(kTooltip) = text;
    if (!windowExists()) return text;
    const Value& id = rt::arg(args, 2);
    applyTips(false, text, rt::arg(args, 1), id.isNumber() ? std::optional<int64_t>(id.asInteger()) : std::nullopt);
    return text;
}

Value XControl::SetBalloon(rt::Args args) {
    const Value& text = rt::arg(args, 0);
    field(kBalloon) = text;
    if (windowExists()) applyTips(true, text, rt::arg(args, 1), std::nullopt);
    return text;
}

Value XControl::HideTooltip(rt::Args) {
    const Value tip = field(kTipObject);
    field(kTipObject) = Value();
    sendIfUnderstood(tip, "Hide");
    sendIfUnderstood(tip, "End");
    return {};
}

namespace {

Value showTransientTip(const char* className, rt::Args args, const Value& self) {
    Value tip = createByClassName(className, "New", {});
    if (tip.isNil()) return tip;
    sendIfUnderstood(tip, "_lCloseButton", {Value(true)});
    sendIfUnderstood(tip, "_cText", {rt::arg(args, 2)});
    sendIfUnderstood(tip, "_cTitle", {rt::arg(args, 3)});
    sendIfUnderstood(tip, "_nIcon", {rt::arg(args, 4)});
    sendIfUnderstood(tip, "Create", {self});
    sendIfUnderstood(tip, "Show", {rt::arg(args, 0), rt::arg(args, 1)});
    return tip;
}

}  // namespace

Value XControl::ShowTooltip(rt::Args args) {
    HideTooltip({});
    field(kTipObject) = showTransientTip("TTooltip", args, selfObject());
    return field(kTipObject);
}

Value XControl::ShowBalloon(rt::Args args) {
    HideTooltip({});
    field(kTipObject) = showTransientTip("TBalloon", args, selfObject());
    return field(kTipObject);
}

Value XControl::WMNotify(rt::Args args) {
    auto* header = reinterpret_cast<NMHDR*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!header) return {};
    const int code = static_cast<int>(header->code);
    if (code == static_cast<int>(TTN_POP)) {
        wideTipText().clear();
        wideTipText().shrink_to_fit();
        return {};
    }
    if (code != static_cast<int>(TTN_GETDISPINFOA) && code != static_cast<int>(TTN_GETDISPINFOW)) return {};
    wideTipText().clear();
    SendMessageA(header->hwndFrom, TTM_SETTITLEA, 0, 0);
    const auto id = static_cast<int64_t>(header->idFrom);
    Value text;
    // A zone's id may name an item of the control's own list; a whole-window tool's id is a window handle,
    // which no position matches.
    if (auto items = sendIfUnderstood(selfObject(), "aItems").asArray(); items && id >= 1 &&
                                                                         id <= static_cast<int64_t>(items->size()))
        text = sendIfUnderstood(items->at1(static_cast<size_t>(id)), "cTooltip");
    else
        text = rt::send(*this, "GetTooltip", {number(id)});
    if (!text.isString()) return {};
    if (code == static_cast<int>(TTN_GETDISPINFOA)) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->hinst = nullptr;
        info->lpszText = const_cast<char*>(keepTipText(text.asString()));
    } else {
        wideTipText() = win::ansiToWide(text.asString()).value_or(std::wstring());
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        info->hinst = nullptr;
        info->lpszText = const_cast<wchar_t*>(wideTipText().c_str());
    }
    return Value(0);
}

}  // namespace vorpex
