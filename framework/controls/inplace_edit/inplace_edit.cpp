#include "framework/controls/inplace_edit/inplace_edit.h"

#include <windows.h>

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

// WM<X>(wParam, lParam) handed to the parent as if it had reached the parent's own window.
rt::NativeMethod forwarded(const char* name) {
    const rt::Symbol message = rt::Symbol::intern(name);
    return [message](rt::Object& self, const rt::Method&, rt::Args a) -> Value {
        auto& edit = static_cast<XInplaceEdit&>(self);
        const Value parent = edit.oParent() ? Value(edit.oParent()) : Value();
        const Value args[] = {rt::arg(a, 0), rt::arg(a, 1), Value(static_cast<long long>(handleOf(parent))), rt::arg(a, 3)};
        return sendIfUnderstood(parent, message, rt::Args(args, 4));
    };
}

// The window's own processing runs: the control base's handling of these does not apply here.
Value nothing(rt::Object&, const rt::Method&, rt::Args) { return {}; }

}  // namespace

const rt::Class& XInplaceEdit::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XInplaceEdit", &TControl::classRecord(), rt::factoryOf<XInplaceEdit>());
        addMembers<XInplaceEdit>(b);
        b.addMethod("WMNCDestroy", [](rt::Object& self, const rt::Method& m, rt::Args) { return unlinkMethod(self, m, {}); });
        for (const char* own : {"WMPaint", "WMSetCursor", "WMNCHitTest"}) b.addMethod(own, nothing);
        for (const char* name : {"WMKeyDown", "WMKeyUp", "WMChar", "WMSysKeyDown", "WMSysKeyUp", "WMSysChar",
                                 "WMLButtonDown", "WMLButtonUp", "WMLButtonDblClk", "WMRButtonDown", "WMRButtonUp",
                                 "WMMouseMove", "WMContextMenu", "WMInitMenuPopup"})
            b.addMethod(name, forwarded(name));
        return b.create();
    }();
    return c;
}

Value XInplaceEdit::Create(rt::Args args) {
    const Value& parent = rt::arg(args, 0);
    if (auto p = parent.asObject()) {
        setParent(p);
        const Value form = sendIfUnderstood(parent, "GetForm");
        if (auto f = form.asObject()) field(kForm) = Value::weak(f);
    }
    if (rt::arg(args, 1).isNumber()) setHandle(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    setCreated(true);
    if (Handle()) rt::send(*this, "Link");
    // Drags over the inner window are the parent's.
    const std::weak_ptr<rt::Object> owner = oParent();
    for (const char* event : {"OnDragOver", "OnEndDrag"}) {
        const std::string name = event;
        rt::send(*this, "_" + name, {Value(rt::makeBlock([owner, name](rt::Args a) -> Value {
                     auto p = owner.lock();
                     return p ? rt::send(*p, name, {rt::arg(a, 1)}) : Value();
                 }))});
    }
    return selfValue();
}

Value XInplaceEdit::focusChange(unsigned message, const char* parentMethod, rt::Args args) {
    const Value parent = oParent() ? Value(oParent()) : Value();
    const intptr_t other = static_cast<intptr_t>(rt::arg(args, 0).asInteger());
    // Focus coming from or going to the parent stays inside the one control: nothing to tell.
    if (other == handleOf(parent)) return {};
    prevWindowProc(Handle(), message, static_cast<uintptr_t>(other), 0);
    const Value forwardedArgs[] = {rt::arg(args, 0), Value(0), Value(static_cast<long long>(handleOf(parent))),
                                   Value(static_cast<long long>(message))};
    return sendIfUnderstood(parent, rt::Symbol::intern(parentMethod), rt::Args(forwardedArgs, 4));
}

Value XInplaceEdit::WMSetFocus(rt::Args args) { return focusChange(WM_SETFOCUS, "WMSetFocus", args); }
Value XInplaceEdit::WMKillFocus(rt::Args args) { return focusChange(WM_KILLFOCUS, "WMKillFocus", args); }

}  // namespace vorpex
