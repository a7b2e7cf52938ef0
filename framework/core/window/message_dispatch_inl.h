// Template part of message_dispatch.h.
#pragma once

#include <exception>
#include <utility>

#include "runtime/core/callback_guard.h"

namespace vorpex {

template <class F, class R>
R guardCallback(F&& f, R fallback) {
    try {
        return rt::callbackGuard(std::forward<F>(f), fallback);
    } catch (...) {
        setPendingCallbackFailure(std::current_exception());
        return fallback;
    }
}

}  // namespace vorpex
