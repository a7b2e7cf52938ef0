// Messages to objects the data layer does not own the classes of (data sets of any kind, programs'
// replacements): sent only when the receiver understands them.
#pragma once

#include <initializer_list>
#include <string_view>

#include "runtime/core/send.h"
#include "runtime/core/symbol.h"

namespace vorpex::data {

// The answer, or NIL when the receiver is no object or has no such message.
inline rt::Value sendIfUnderstood(const rt::Value& receiver, std::string_view message,
                                  std::initializer_list<rt::Value> args = {}) {
    const rt::Symbol s = rt::Symbol::intern(message);
    if (!receiver.isObject() || !rt::understands(receiver, s)) return {};
    return rt::send(receiver, s, rt::Args(args.begin(), args.size()));
}

}  // namespace vorpex::data
