// The expression scope over the work areas: bare field names read the current area, alias->field a named
// area, M->name a public variable, and alias->(expr) runs the expression with that area current.
#pragma once
#include "runtime/expr/expression.h"

namespace rt::rdd {

const expr::Scope& areaScope();

}  // namespace rt::rdd
