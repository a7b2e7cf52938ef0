#include "framework/core/window/message_dispatch.h"

#include "framework/core/window/message_methods.h"
#include "runtime/core/class.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

std::exception_ptr& pendingFailure() {
    static std::exception_ptr p;
    return p;
}

// WPARAM is unsigned; the runtime's integers are signed 64-bit, which holds every 32-bit WPARAM exactly and
// keeps the bits of a 64-bit one.
rt::Value wordValue(uintptr_t w) { return rt::Value(static_cast<long long>(w)); }
rt::Value longValue(intptr_t l) { return rt::Value(static_cast<long long>(l)); }

}  // namespace

std::optional<intptr_t> messageResult(const rt::Value& answer) {
    const rt::Value& v = answer.deref();
    if (v.isLogical()) return v.asLogical() ? 1 : 0;
    if (!v.isNumber()) return std::nullopt;
    return static_cast<intptr_t>(v.asNumber().asInteger());  // 2.7 -> 2: the integer part
}

std::optional<intptr_t> dispatchToObject(rt::Object& object, unsigned message, uintptr_t wParam, intptr_t lParam,
                                         intptr_t hWnd) {
    const MessageMethods& methods = messageMethodsOf(object.objectClass());
    if (const rt::Method* m = methods.forMessage(message)) {
        const rt::Value args[] = {wordValue(wParam), longValue(lParam), longValue(hWnd), rt::Value(message)};
        return messageResult(rt::invoke(object, *m, args));
    }
    if (const rt::Method* m = methods.handleEvent) {
        const rt::Value args[] = {rt::Value(message), wordValue(wParam), longValue(lParam), longValue(hWnd)};
        return messageResult(rt::invoke(object, *m, args));
    }
    return std::nullopt;
}

std::optional<intptr_t> dispatchFromCallback(rt::Object& object, unsigned message, uintptr_t wParam,
                                             intptr_t lParam, intptr_t hWnd) {
    return guardCallback([&] { return dispatchToObject(object, message, wParam, lParam, hWnd); },
                         std::optional<intptr_t>{});
}

void setPendingCallbackFailure(std::exception_ptr failure) {
    // The first failure explains what went wrong; later ones are usually its consequences.
    if (!pendingFailure()) pendingFailure() = std::move(failure);
}

bool callbackFailurePending() { return pendingFailure() != nullptr; }

void rethrowPendingCallbackErrors() {
    rt::rethrowPendingBreak();
    if (auto p = std::exchange(pendingFailure(), nullptr)) std::rethrow_exception(p);
}

}  // namespace vorpex
