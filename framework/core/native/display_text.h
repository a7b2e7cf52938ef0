// Text of any value as the runtime shows it to a person (message boxes, TOSTRING).
#pragma once

#include <string>

#include "runtime/core/value.h"

namespace vorpex {

std::string displayText(const rt::Value& v);

}  // namespace vorpex
