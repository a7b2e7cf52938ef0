// Reading the arguments of a callable native function. A wrong type never raises: every reader answers the
// neutral value (0, "", false) so that each function can give its neutral result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/core/runtime.h"
#include "runtime/core/value.h"

namespace vorpex::native {

using rt::Args;
using rt::Value;

inline bool isNumberArg(Args args, size_t i) { return rt::arg(args, i).isNumber(); }
inline bool isTextArg(Args args, size_t i) { return rt::arg(args, i).isString(); }

// The argument as a 64-bit integer; `fallback` when it is not a number.
inline int64_t intArg(Args args, size_t i, int64_t fallback = 0) {
    const Value& v = rt::arg(args, i);
    return v.isNumber() ? v.asInteger() : fallback;
}

inline std::optional<int64_t> optionalInt(Args args, size_t i) {
    const Value& v = rt::arg(args, i);
    if (!v.isNumber()) return std::nullopt;
    return v.asInteger();
}

// The text, or nullptr when the argument is not a string (callers then give their neutral result).
inline const std::string* textArg(Args args, size_t i) {
    const Value& v = rt::arg(args, i);
    return v.isString() ? &v.asString() : nullptr;
}

inline std::string textOr(Args args, size_t i, std::string fallback = {}) {
    const std::string* t = textArg(args, i);
    return t ? *t : std::move(fallback);
}

inline bool logicalArg(Args args, size_t i, bool fallback = false) {
    const Value& v = rt::arg(args, i);
    return v.isLogical() ? v.asLogical() : fallback;
}

// Handles travel as numbers; anything else is no handle.
inline intptr_t handleArg(Args args, size_t i) { return static_cast<intptr_t>(intArg(args, i)); }

// Passed by reference (@var): the callee may write back through it.
inline bool isReferenceArg(Args args, size_t i) { return i < args.size() && args[i].isReference(); }

inline void registerCallable(const char* name, rt::Function fn) { rt::registerFunction(name, std::move(fn)); }

}  // namespace vorpex::native
