// The conversions between the framework's integers and values: numbers and handles travel as integer values,
// so every class and callable function answers them the same way.
#pragma once

#include <cstdint>

#include "runtime/core/value.h"

namespace vorpex::native {

inline rt::Value number(int64_t n) { return rt::Value(static_cast<long long>(n)); }
inline rt::Value handleValue(intptr_t h) { return number(static_cast<int64_t>(h)); }

}  // namespace vorpex::native
