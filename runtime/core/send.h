// Sending messages by name. The framework's own code calls typed C++ members; this path serves events, the
// native object bridge, window-message dispatch and the programs.
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "symbol.h"
#include "value.h"

namespace rt {

class Object;
struct Method;

// Sends `message` to `receiver` with `args`. A receiver that does not understand it raises the no-method error
// (13/1004); Retry looks again, Default returns the handler's value. Blocks understand EVAL.
Value send(const Value& receiver, Symbol message, Args args = {});
Value send(Object& receiver, Symbol message, Args args = {});

inline Value send(const Value& receiver, std::string_view message, std::initializer_list<Value> args = {}) {
    return send(receiver, Symbol::intern(message), Args(args.begin(), args.size()));
}
inline Value send(Object& receiver, std::string_view message, std::initializer_list<Value> args = {}) {
    return send(receiver, Symbol::intern(message), Args(args.begin(), args.size()));
}
inline Value send(const Value& receiver, std::string_view message, const std::vector<Value>& args) {
    return send(receiver, Symbol::intern(message), Args(args.data(), args.size()));
}

// Calls one method entry on an object (used by send and by code that already holds the entry).
Value invoke(Object& self, const Method& method, Args args);

bool understands(const Value& receiver, Symbol message);

}  // namespace rt
