// WindowProc and the Win32 side of window links.
#include <windows.h>

#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_window.h"
#include "framework/core/window/message_dispatch.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/runtime.h"

namespace vorpex {

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

using win::toHwnd;

// What a window falls back to once it is detached and had no procedure of its own.
LRESULT CALLBACK DefaultWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

class Win32WindowPort final : public WindowPort {
public:
    intptr_t userData(intptr_t h) override { return GetWindowLongPtrA(toHwnd(h), GWLP_USERDATA); }
    void setUserData(intptr_t h, intptr_t v) override { SetWindowLongPtrA(toHwnd(h), GWLP_USERDATA, v); }
    intptr_t procedure(intptr_t h) override { return GetWindowLongPtrA(toHwnd(h), GWLP_WNDPROC); }
    void setProcedure(intptr_t h, intptr_t p) override { SetWindowLongPtrA(toHwnd(h), GWLP_WNDPROC, p); }
    bool isChild(intptr_t h) override { return (GetWindowLongPtrA(toHwnd(h), GWL_STYLE) & WS_CHILD) != 0; }
    intptr_t classProcedure(std::string_view name) override {
        std::string className(name);
        WNDCLASSA wc{};
        if (GetClassInfoA(nullptr, className.c_str(), &wc) ||
            GetClassInfoA(GetModuleHandleA(nullptr), className.c_str(), &wc))
            return reinterpret_cast<intptr_t>(wc.lpfnWndProc);
        return 0;
    }
    intptr_t frameworkProcedure() override { return reinterpret_cast<intptr_t>(&WindowProc); }
    intptr_t plainProcedure() override { return reinterpret_cast<intptr_t>(&DefaultWindowProc); }
};

Win32WindowPort& port() {
    static Win32WindowPort p;
    return p;
}

LRESULT defaultProcessing(const WindowLink& r, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (r.mdiClient) return DefFrameProcA(hWnd, toHwnd(r.mdiClient), message, wParam, lParam);
    if (r.mdiChild) return DefMDIChildProcA(hWnd, message, wParam, lParam);
    if (r.previousProcedure)
        return CallWindowProcA(reinterpret_cast<WNDPROC>(r.previousProcedure), hWnd, message, wParam, lParam);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

LinkRegistry& windowLinks() {
    // Never destroyed: windows may still send messages while static objects are torn down at exit.
    static LinkRegistry* links = new LinkRegistry(port());
    return *links;
}

intptr_t windowProcAddress() { return reinterpret_cast<intptr_t>(&WindowProc); }

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LinkRegistry& links = windowLinks();
    auto h = reinterpret_cast<intptr_t>(hWnd);
    WindowLink* r = links.find(h);
    if (!r && message == WM_NCCREATE) r = links.adopt(h);
    if (!r) return DefWindowProcA(hWnd, message, wParam, lParam);
    // The record outlives this frame even when the handler unlinks the window; the object outlives the call.
    LinkRegistry::CallScope call(*r);
    rt::ObjectPtr owner = r->object;
    if (owner) {
        if (auto result = dispatchFromCallback(*owner, message, wParam, lParam, h)) return *result;
    }
    return defaultProcessing(*r, hWnd, message, wParam, lParam);
}

intptr_t prevWindowProc(intptr_t hWnd, unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (WindowLink* r = windowLinks().find(hWnd)) {
        LinkRegistry::CallScope call(*r);
        return defaultProcessing(*r, toHwnd(hWnd), message, wParam, lParam);
    }
    return DefWindowProcA(toHwnd(hWnd), message, wParam, lParam);
}

rt::ObjectPtr getControlFromHandle(intptr_t hWnd) {
    WindowLink* r = windowLinks().find(hWnd);
    return r ? r->object : nullptr;
}

void windowCreationEnded() {
    windowLinks().clearPending();
    rethrowPendingCallbackErrors();
}

rt::Value linkMethod(rt::Object& self, const rt::Method&, rt::Args args) {
    linkObject(windowLinks(), self, rt::arg(args, 0).asLogical());
    return {};
}

rt::Value unlinkMethod(rt::Object& self, const rt::Method&, rt::Args args) {
    unlinkObject(windowLinks(), self, rt::arg(args, 0).asLogical());
    return {};
}

void registerWindowFunctions() {
    win::setFrameworkWindowProc(&WindowProc);  // the classes REGISTERCLASS makes are served here
    rt::registerFunction("GETCONTROLFROMHANDLE", [](rt::Args args) -> rt::Value {
        rt::ObjectPtr o = getControlFromHandle(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
        return o ? rt::Value(o) : rt::Value();
    });
    rt::registerFunction("PREVWINDOWPROC", [](rt::Args args) -> rt::Value {
        auto n = [&](size_t i) { return rt::arg(args, i).asInteger(); };
        return rt::Value(static_cast<long long>(prevWindowProc(static_cast<intptr_t>(n(0)),
                                                               static_cast<unsigned>(n(1)),
                                                               static_cast<uintptr_t>(n(2)),
                                                               static_cast<intptr_t>(n(3)))));
    });
}

}  // namespace vorpex
