// A break must not unwind through a platform callback (window procedure, hook, timer or enumeration
// callback): the callback catches it, remembers it as pending and returns; the message loops rethrow it after
// the dispatch has returned.
#pragma once

#include <utility>

#include "error.h"

namespace rt {

void setPendingBreak(Break b);
bool breakPending();
// Throws the pending break, if any, and clears it.
void rethrowPendingBreak();
void clearPendingBreak();

// Runs `f`; a Break escaping it becomes pending and `fallback` is returned instead.
template <class F, class R>
R callbackGuard(F&& f, R fallback) {
    try {
        return std::forward<F>(f)();
    } catch (Break& b) {
        setPendingBreak(std::move(b));
        return fallback;
    }
}

}  // namespace rt
