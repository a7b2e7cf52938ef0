// Small conversions the grid's by-name members share: numbers out, optional logical arguments in.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/native/casts.h"
#include "runtime/core/value.h"

namespace vorpex::browse {

using Vals = std::vector<rt::Value>;

using native::number;

// The logical argument at i, or the fallback when the caller left it out or gave another type.
inline bool givenOr(rt::Args a, size_t i, bool fallback) {
    const rt::Value& v = rt::arg(a, i);
    return v.isLogical() ? v.asLogical() : fallback;
}

}  // namespace vorpex::browse
