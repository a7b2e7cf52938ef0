// A value as text for callers that show any value (TOSTRING-like conversions, logs, ? output).
#pragma once

#include <string>

#include "runtime/core/value.h"

namespace rt {

// Numbers as Str() shows them, dates in the current date format, ".T."/".F.", "NIL", arrays and objects
// as "{ ... }", a block as "{|| ... }", a pointer as its hexadecimal address.
std::string displayText(const Value& v);

}  // namespace rt
