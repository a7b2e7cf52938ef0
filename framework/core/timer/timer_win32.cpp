#include <windows.h>

#include "framework/core/native/win_window.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/timer/timer.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/frame.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

constexpr UINT_PTR kTimerId = 1;

HWND windowOf(const XTimer& t) { return reinterpret_cast<HWND>(t.Handle()); }

void tellOwner(XTimer& t, const char* message) {
    rt::ObjectPtr owner = t.oParent();
    if (!owner) return;
    rt::Symbol s = rt::Symbol::intern(message);
    if (owner->objectClass().understands(s)) {
        const rt::Value me(t.self());
        rt::send(*owner, s, rt::Args(&me, 1));
    }
}

}  // namespace

const rt::Class& XTimer::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XTimer", &TWinObject::classRecord(), rt::factoryOf<XTimer>());
        kInterval = b.addProperty({.name = "nInterval", .initial = 1000, .type = "N", .scope = Published,
                                   .setter = &XTimer::SetInterval});
        kEnabled = b.addProperty({.name = "lEnabled", .initial = false, .type = "L", .scope = Published,
                                  .setter = &XTimer::SetEnabled});
        b.addEvent("OnTimer", Published, "oSender");
        addMembers<XTimer>(b);
        b.addMethod("Link", linkMethod);
        b.addMethod("Unlink", unlinkMethod);
        b.addMethod("RegisterClass", registerClassMethod);
        return b.create();
    }();
    return c;
}

rt::Value XTimer::New(rt::Args args) { return XComponent::New(args.first(std::min<size_t>(args.size(), 1))); }

rt::Value XTimer::Create(rt::Args args) {
    XComponent::Create(args.first(std::min<size_t>(args.size(), 1)));
    const rt::Value& interval = rt::arg(args, 1);
    if (interval.isNumber()) field(kInterval) = interval;
    const rt::Value& handler = rt::arg(args, 2);
    if (!handler.isNil()) {
        // A method name binds to the object that called Create, as `oTimer:OnTimer := "Tick"` there would.
        rt::Object* caller = rt::executingSelf();
        if (caller == this) caller = rt::callerSelf();
        rt::FrameGuard as(caller, caller ? &caller->objectClass() : nullptr, rt::Symbol::intern("Create"));
        assignEvent(*this, OnTimer, handler);
    }
    if (!Handle()) createWindow();
    tellOwner(*this, "InsertComponent");
    const rt::Value none;
    SetInterval(rt::Args(&none, 1));
    return selfValue();
}

void XTimer::createWindow() {
    registerWindowFunctions();  // the class must be served by WindowProc
    rt::send(*this, "RegisterClass");
    const std::string className = rt::send(*this, "ClassName").asString();
    windowLinks().clearPending();  // a record another creation left must not be adopted by this window
    HWND h = CreateWindowExA(0, className.c_str(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, win::programInstance(),
                             nullptr);
    windowCreationEnded();
    setHandle(reinterpret_cast<intptr_t>(h));
    if (h) rt::send(*this, "Link");
}

void XTimer::stopTimer() {
    if (running_ && Handle()) KillTimer(windowOf(*this), kTimerId);
    running_ = false;
}

rt::Value XTimer::SetInterval(rt::Args args) {
    const rt::Value& n = rt::arg(args, 0);
    if (n.isNumber()) field(kInterval) = n;
    stopTimer();
    if (lEnabled() && nInterval() > 0 && EventAssigned(OnTimer) && Handle())
        running_ = SetTimer(windowOf(*this), kTimerId, static_cast<UINT>(nInterval()), nullptr) != 0;
    return selfValue();
}

rt::Value XTimer::SetEnabled(rt::Args args) {
    field(kEnabled) = rt::arg(args, 0).asLogical();
    SetInterval({});
    return field(kEnabled);
}

rt::Value XTimer::Enable(rt::Args) {
    const rt::Value on(true);
    return SetEnabled(rt::Args(&on, 1));
}

rt::Value XTimer::Disable(rt::Args) {
    const rt::Value off(false);
    return SetEnabled(rt::Args(&off, 1));
}

rt::Value XTimer::Stop(rt::Args) {
    stopTimer();
    return selfValue();
}

rt::Value XTimer::WMTimer(rt::Args) {
    if (!lEnabled() || firing_) return rt::Value(0);
    firing_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{firing_};
    fireEvent(*this, OnTimer);
    return rt::Value(0);
}

rt::Value XTimer::Free(rt::Args args) {
    stopTimer();
    if (HWND h = windowOf(*this)) {
        rt::send(*this, "Unlink");
        setHandle(0);
        DestroyWindow(h);
    }
    return XComponent::Free(args);
}

rt::Value XTimer::Destroy(rt::Args args) {
    tellOwner(*this, "RemoveComponent");
    return XComponent::Destroy(args);
}

}  // namespace vorpex
