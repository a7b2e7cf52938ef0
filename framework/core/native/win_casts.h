// The Win32 casts: handles travel through the framework as integers and become typed handles only at the call
// into Windows. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/core/native/casts.h"

namespace vorpex::win {

inline HWND toHwnd(intptr_t h) { return reinterpret_cast<HWND>(h); }
inline HANDLE toHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
inline intptr_t fromHandle(const void* h) { return reinterpret_cast<intptr_t>(h); }
// A handle number as the typed handle a call takes (HBITMAP, HIMAGELIST, ...).
template <class H>
H handleAs(intptr_t h) {
    return reinterpret_cast<H>(h);
}

// Any Win32 handle or pointer as the number the framework passes around.
inline rt::Value handleValue(const void* h) { return native::handleValue(fromHandle(h)); }
// A Win32 rectangle as the array {left, top, right, bottom}.
inline rt::Value rectValue(const RECT& r) {
    return rt::Value::array({native::number(r.left), native::number(r.top), native::number(r.right),
                             native::number(r.bottom)});
}

}  // namespace vorpex::win
