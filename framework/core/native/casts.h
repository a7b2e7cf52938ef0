// The conversions between the framework's integers and values: numbers and handles travel as integer values,
// so every class and callable function answers them the same way.
#pragma once

#include <cstdint>

#include "runtime/core/value.h"

namespace vorpex::native {

inline rt::Value number(int64_t n) { return rt::Value(static_cast<long long>(n)); }
inline rt::Value handleValue(intptr_t h) { return number(static_cast<int64_t>(h)); }

// Item i (from 0) of an array of numbers such as {x, y} or {left, top, right, bottom}; 0 when the value is no
// array, is too short, or holds no number there.
inline int64_t arrayNumber(const rt::Value& array, size_t i) {
    if (!array.isArray() || array.asArray()->items.size() <= i) return 0;
    const rt::Value& item = array.asArray()->items[i];
    return item.isNumber() ? item.asInteger() : 0;
}

}  // namespace vorpex::native
