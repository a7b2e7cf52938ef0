// Reading a value that may hold another type than the one wanted: the neutral answer instead of an error.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/core/value.h"

namespace vorpex::native {

// The text a value holds; "" when it holds none.
inline std::string textOf(const rt::Value& v) { return v.isString() ? v.asString() : std::string(); }

// Whether a value is the logical false (NIL and other types are not).
inline bool isFalse(const rt::Value& v) { return v.isLogical() && !v.asLogical(); }

// The number a value holds; 0 when it holds none.
inline double numberOf(const rt::Value& v) { return v.isNumber() ? v.asDouble() : 0; }

// The whole number a value holds; 0 when it holds no number.
inline int64_t integerOf(const rt::Value& v) { return v.isNumber() ? v.asInteger() : 0; }

}  // namespace vorpex::native
