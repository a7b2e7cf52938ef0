// What the further painters share: their window-message arguments, the members they read from Self by name,
// the paints they begin themselves, and the GDI guards (core/gdi) under short names. Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/gdi/gdi_guards.h"
#include "framework/core/native/geometry.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/win_window.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/object.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::painters {

using win::Clipped;
using win::Owned;
using win::SavedDC;
using win::Selected;
using win::toRECT;

// A window-message method's arguments: (wParam, lParam, hWnd, nMsg).
inline HDC dcArg(rt::Args args) { return reinterpret_cast<HDC>(native::handleArg(args, 0)); }
inline intptr_t lParamArg(rt::Args args) { return native::handleArg(args, 1); }
inline HWND windowArg(rt::Args args) { return reinterpret_cast<HWND>(native::handleArg(args, 2)); }
inline UINT messageArg(rt::Args args) { return static_cast<UINT>(native::intArg(args, 3)); }

// Members read by name from `owner`: Self (an object) or an item (a value holding one).
template <typename Owner>
int64_t intMember(Owner& owner, std::string_view name) {
    return rt::send(owner, name).asInteger();
}
template <typename Owner>
bool flagMember(Owner& owner, std::string_view name) {
    return rt::send(owner, name).asLogical();
}
template <typename Owner>
std::string textMember(Owner& owner, std::string_view name) {
    const rt::Value v = rt::send(owner, name);
    return v.isString() ? v.asString() : std::string();
}
// The Handle of the object a member holds; null when it holds none.
template <typename H, typename Owner>
H handleMember(Owner& owner, std::string_view name) {
    return reinterpret_cast<H>(handleOf(rt::send(owner, name)));
}
// A copy of the array a member of `owner` (an object or a value holding one) holds: the painter walks it
// while handlers may change the member. Empty when it holds none.
template <typename Owner>
std::vector<rt::Value> itemsMember(Owner& owner, std::string_view name) {
    const rt::Value v = rt::send(owner, name);
    return v.isArray() ? v.asArray()->items : std::vector<rt::Value>{};
}
inline int64_t appScale() {
    const rt::Value app = rt::publicVar("Application");
    return app.isObject() ? rt::send(app, "nScale").asInteger() : 100;
}

inline RECT clientRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}
// The brush the parent gives its static children (WM_CTLCOLORSTATIC); null when it gives none.
inline HBRUSH parentStaticBrush(HWND window, HDC dc) {
    return reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
}
// A system colour's brush as FillRect takes it: the colour index plus one.
inline HBRUSH systemBrush(int colorIndex) { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(colorIndex + 1)); }

// A solid one-pixel line from `from` to `to` (the end point left out).
inline void line(HDC dc, COLORREF colour, POINT from, POINT to) {
    Owned<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    Selected using_(dc, pen.get());
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

// The DC a message handed in, or a paint of the painter's own (double-buffered unless `buffered` is false)
// that ends with the scope.
class PaintScope {
public:
    PaintScope(HWND window, HDC given, bool buffered = true) : window_(window), buffered_(buffered) {
        if (given) {
            dc_ = given;
            handedIn_ = true;
        } else if (window) {
            dc_ = buffered ? VP_BeginBufferedPaint(window, state_) : BeginPaint(window, &state_.ps);
        }
    }
    ~PaintScope() {
        if (handedIn_ || !window_) return;
        if (buffered_) {
            VP_EndBufferedPaint(window_, state_);
        } else if (dc_) {
            EndPaint(window_, &state_.ps);
        }
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }
    bool handedIn() const { return handedIn_; }

private:
    HWND window_;
    bool buffered_;
    bool handedIn_ = false;
    HDC dc_ = nullptr;
    ControlPaintState state_;
};

// The paint frame of the composite painters: OnPaint may decline the drawing; OnPainted and the end always
// follow. `draw` runs on the frame's DC, restored afterwards.
template <typename Draw>
rt::Value inPaintFrame(rt::Object& self, rt::Args args, Draw draw) {
    HWND window = windowArg(args);
    ControlPaintState state;
    if (VP_ControlBeginPaint(self, window, state, dcArg(args)) && state.hDC) {
        SavedDC saved(state.hDC);
        draw(window, state.hDC);
    }
    VP_ControlEndPaint(self, window, state);
    return rt::Value(0);
}

}  // namespace vorpex::painters
