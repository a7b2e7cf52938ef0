// The framework's one window procedure and what goes with it on Win32: the program's link registry, default
// processing, the Link/Unlink/RegisterClass/CreateMDIClient method bodies for the classes that own windows, and
// the callable functions GETCONTROLFROMHANDLE and PREVWINDOWPROC. Declarations only: no windows.h here.
#pragma once

#include <cstdint>

#include "framework/core/window/window_link.h"
#include "runtime/core/class.h"
#include "runtime/core/object.h"

namespace vorpex {

// The records of the program's windows.
LinkRegistry& windowLinks();

// Addresses of WindowProc and of the plain procedure a detached window falls back to.
intptr_t windowProcAddress();

// Default processing of a message as WindowProc gives it when no method answered.
intptr_t prevWindowProc(intptr_t hWnd, unsigned message, uintptr_t wParam, intptr_t lParam);

// The object linked to a window; null for 0, foreign and unlinked windows.
rt::ObjectPtr getControlFromHandle(intptr_t hWnd);

// After every CreateWindowEx of the framework, whether it succeeded or not: drops the record that no window
// adopted and rethrows a break that a handler left pending during the creation.
void windowCreationEnded();

// Method bodies for the classes that own windows (add them with ClassBuilder::addMethod):
//   Link([lMdiChild])                           -> NIL
//   Unlink([lChildren])                         -> NIL
//   RegisterClass([cWinClassName], [nClassStyle]) -> logical: registers ClassName with WindowProc,
//                                                   superclassing cWinClassName when it is given or set
//   CreateMDIClient()                           -> logical (TMDIClient)
rt::Value linkMethod(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value unlinkMethod(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value registerClassMethod(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value createMdiClientMethod(rt::Object& self, const rt::Method& method, rt::Args args);

// Registers GETCONTROLFROMHANDLE and PREVWINDOWPROC by name. Safe to call more than once.
void registerWindowFunctions();

}  // namespace vorpex
