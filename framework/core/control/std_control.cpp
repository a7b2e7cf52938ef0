#include "framework/core/control/std_control.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "framework/core/native/win_casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

using native::number;
using win::toHwnd;

bool logicalOr(const Value& v, bool fallback) { return v.isLogical() ? v.asLogical() : fallback; }

// One dropped file's name, read at its real length.
std::string droppedFile(HDROP drop, UINT index) {
    const UINT length = DragQueryFileA(drop, index, nullptr, 0);
    std::string name(length + 1, '\0');
    DragQueryFileA(drop, index, name.data(), length + 1);
    name.resize(length);
    return name;
}

}  // namespace

const rt::Class& XStdControl::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XStdControl;
        VPClass b("XStdControl", &TControl::classRecord(), rt::factoryOf<XStdControl>());
        kMessage = b.addProperty({.name = "cMessage", .type = "C", .scope = Published, .editor = "PE_StringOrNil"});
        b.addProperty({.name = "lBorder", .initial = false, .type = "L", .scope = Published, .setter = &X::SetBorder});
        b.addProperty({.name = "lTabStop", .initial = true, .type = "L", .scope = Published, .setter = &X::SetTabStop});
        kDragAccept = b.addProperty({.name = "lDragAcceptFiles", .initial = false, .type = "L", .scope = Published,
                                     .setter = &X::SetDragAcceptFiles});
        for (const char* key : {"OnChar", "OnKeyDown", "OnKeyUp"}) b.addEvent(key, Published, "oSender, nKey, nFlags");
        b.addEvent("OnEnter", Published, "oSender, oPrevCtl");
        b.addEvent("OnExit", Published, "oSender, oNextCtl");
        b.addEvent("OnDropFiles", Published, "oSender, aFiles, aPoint");
        b.addEvent("OnCheckState", Published, "oSender");
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN), "N");
        b.record().redeclareField(kClassStyle, number(CS_DBLCLKS), "N");
        kDropFiles = b.addData("aDropFiles", Value::array(), "A", Exported | ReadOnly);
        k3D = b.addProperty({.name = "l3D", .initial = true, .type = "L", .setter = &X::Set3D});
        addMembers<XStdControl>(b);
        return b.create();
    }();
    return c;
}

Value XStdControl::CreateHandle(rt::Args args) {
    rt::send(*this, "SetBorder", {field(kBorder)});
    rt::send(*this, "SetTabStop", {field(kTabStop)});
    Value result = XControl::CreateHandle(args);
    if (windowExists() && field(kDragAccept).asLogical()) DragAcceptFiles(toHwnd(Handle()), TRUE);
    return result;
}

Value XStdControl::SetBorder(rt::Args args) {
    const bool on = logicalOr(rt::arg(args, 0), true);
    field(kBorder) = on;
    setCtlStyle(ctl::changeBits(nCtlStyle(), ctl::kWsBorder, on));
    return Set3D(std::vector<Value>{field(k3D)});
}

Value XStdControl::Set3D(rt::Args args) {
    const bool on = logicalOr(rt::arg(args, 0), true);
    field(k3D) = on;
    const ctl::StylePair s = ctl::borderStyles({nCtlStyle(), nExStyle()}, lBorder(), on);
    setCtlStyle(s.style);
    setExStyle(s.exStyle);
    if (windowExists()) {
        applyStyles();
        SetWindowPos(toHwnd(Handle()), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    return Value(on);
}

Value XStdControl::SetTabStop(rt::Args args) {
    const bool on = logicalOr(rt::arg(args, 0), true);
    setTabStopFlag(on);
    setCtlStyle(ctl::changeBits(nCtlStyle(), ctl::kWsTabStop, on));
    applyStyles();
    return Value(on);
}

Value XStdControl::SetDragAcceptFiles(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    field(kDragAccept) = on;
    if (windowExists()) DragAcceptFiles(toHwnd(Handle()), on);
    return Value(on);
}

Value XStdControl::RequestState(rt::Args) {
    const Value answer = fireEvent(*this, OnCheckState);
    if (!answer.isLogical()) return {};
    const bool enable = answer.asLogical();
    const bool focused = lFocused() || (windowExists() && GetFocus() == toHwnd(Handle()));
    // A control about to be disabled hands the focus on first, without asking anyone's leave.
    if (!enable && focused) rt::send(*this, "GoNextControl", {Value(), Value(true)});
    if (enable != lEnabled()) rt::send(*this, enable ? "Enable" : "Disable");
    return answer;
}

Value XStdControl::WMSetFocus(rt::Args args) {
    const Value form = rt::send(*this, "GetForm");
    const Value& message = field(kMessage);
    if (message.isString() && sendIfUnderstood(form, "lMsgAuto").asLogical()) {
        const Value bar = sendIfUnderstood(form, "oMsgBar");
        auto items = sendIfUnderstood(bar, "aItems").asArray();
        if (items && !items->items.empty()) sendIfUnderstood(items->items.front(), "_cText", {message});
    }
    return XControl::WMSetFocus(args);
}

Value XStdControl::WMDropFiles(rt::Args args) {
    auto drop = reinterpret_cast<HDROP>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    POINT p{-1, -1};
    const bool inClient = DragQueryPoint(drop, &p) != 0;
    if (!inClient) {
        DragFinish(drop);
        return Value(0);
    }
    std::vector<Value> names;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) names.emplace_back(droppedFile(drop, i));
    DragFinish(drop);
    field(kDropFiles) = Value::array(std::move(names));
    fireEvent(*this, OnDropFiles, {field(kDropFiles), Value::array({number(p.x), number(p.y)})});
    return Value(0);
}

}  // namespace vorpex
