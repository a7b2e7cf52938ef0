// Sending a message that the receiver may not have: framework code uses it for every call on a parent, form or
// application that may be missing or of another kind, so that a missing receiver or method gives NIL instead of
// the no-method error.
#pragma once

#include <initializer_list>
#include <string_view>

#include "runtime/core/symbol.h"
#include "runtime/core/value.h"

namespace vorpex {

// Sends `message` to `receiver` when it is an object that understands it; NIL otherwise.
rt::Value sendIfUnderstood(const rt::Value& receiver, rt::Symbol message, rt::Args args = {});
inline rt::Value sendIfUnderstood(const rt::Value& receiver, std::string_view message,
                                  std::initializer_list<rt::Value> args = {}) {
    return sendIfUnderstood(receiver, rt::Symbol::intern(message), rt::Args(args.begin(), args.size()));
}

}  // namespace vorpex
