// TOSTRING(xValue, cDefault): any value as text for labels and edits.
#pragma once

#include <string>

#include "runtime/core/value.h"

namespace vorpex {

std::string toText(rt::Args args);

}  // namespace vorpex
