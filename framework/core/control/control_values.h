// How a control reads the values its messages carry: handles travel as numbers, objects by reference.
#pragma once

#include <cstdint>

#include "runtime/core/value.h"

namespace vorpex::ctl {

inline intptr_t handleNumber(const rt::Value& v) { return static_cast<intptr_t>(v.deref().asInteger()); }

// Whether `a` (or what it refers to) is the object `b`.
inline bool sameObject(const rt::Value& a, const rt::Object* b) { return a.deref().asObject().get() == b; }

}  // namespace vorpex::ctl
