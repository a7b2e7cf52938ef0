// RegisterClass of the classes that own windows: registers the object's ClassName as a window class served by
// WindowProc, as a superclass of the system class the object wraps (button, edit, ...) when it wraps one.
#include <windows.h>

#include <string>

#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

rt::Value property(rt::Object& self, const char* name) {
    rt::Symbol s = rt::Symbol::intern(name);
    return self.objectClass().understands(s) ? rt::send(self, s) : rt::Value();
}

// The window class name is the object's class name as the class declares it (TForm1, TApplication).
std::string windowClassName(rt::Object& self) {
    rt::Value v = property(self, "ClassName");
    return v.isString() && !v.asString().empty() ? v.asString() : self.objectClass().name();
}

}  // namespace

rt::Value registerClassMethod(rt::Object& self, const rt::Method&, rt::Args args) {
    const std::string className = windowClassName(self);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, className.c_str(), &existing)) return rt::Value(true);  // registered before

    const rt::Value& styleArg = rt::arg(args, 1);
    const rt::Value& baseArg = rt::arg(args, 0);
    WNDCLASSA wc{};
    wc.style = static_cast<UINT>((styleArg.isNumber() ? styleArg : property(self, "nClassStyle")).asInteger());
    rt::Value base = baseArg.isString() ? baseArg : property(self, "cWinClassName");
    if (base.isString() && !base.asString().empty()) {
        WNDCLASSA system{};
        // A superclass that lost its base would make controls that never draw nor react: refuse it instead.
        if (!GetClassInfoA(nullptr, base.asString().c_str(), &system) &&
            !GetClassInfoA(instance, base.asString().c_str(), &system))
            return rt::Value(false);
        wc.style = system.style;
        wc.cbClsExtra = system.cbClsExtra;
        wc.cbWndExtra = system.cbWndExtra;
        wc.hIcon = system.hIcon;
        wc.hCursor = system.hCursor;
        wc.hbrBackground = system.hbrBackground;
        wc.lpszMenuName = system.lpszMenuName;
    }
    wc.lpfnWndProc = reinterpret_cast<WNDPROC>(windowProcAddress());
    wc.hInstance = instance;
    wc.lpszClassName = className.c_str();
    return rt::Value(RegisterClassA(&wc) != 0);
}

}  // namespace vorpex
