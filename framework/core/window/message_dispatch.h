// Turning a window message into a method call on the window's object, and the method's answer into the window
// procedure's result. Platform-neutral: handles and message parameters cross as integers.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

// A method's answer as a window-procedure result: a number gives its integer part, a logical 1 or 0; anything
// else (NIL above all) means "not handled", so the default processing runs.
std::optional<intptr_t> messageResult(const rt::Value& answer);

// Sends the message to `WM<Name>`(wParam, lParam, hWnd, nMsg) when the object's class has it, else to
// `HandleEvent`(nMsg, wParam, lParam, hWnd) when it has that. Empty when nothing answered with a result.
std::optional<intptr_t> dispatchToObject(rt::Object& object, unsigned message, uintptr_t wParam, intptr_t lParam,
                                         intptr_t hWnd);

// dispatchToObject for a platform callback: no C++ exception leaves it. A Break becomes the runtime's pending
// break; any other exception is kept as a pending callback failure. Either way the message gets default
// processing and the message loop rethrows after its dispatch returns.
std::optional<intptr_t> dispatchFromCallback(rt::Object& object, unsigned message, uintptr_t wParam,
                                             intptr_t lParam, intptr_t hWnd);

// Runs `f` the same way: Break -> pending break, any other exception -> pending failure, `fallback` returned.
template <class F, class R>
R guardCallback(F&& f, R fallback);

void setPendingCallbackFailure(std::exception_ptr failure);
bool callbackFailurePending();
// Rethrows what a callback left behind: the pending break first, then any other pending failure.
void rethrowPendingCallbackErrors();

}  // namespace vorpex

#include "framework/core/window/message_dispatch_inl.h"
