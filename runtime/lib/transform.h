// Transform(): a value shown through a picture, for masked edits and banded reports.
//
// A picture is a function part ("@" and letters, up to the first blank) followed by a template, or a
// template alone. Functions: ! (upper case), R (template literals are inserted into text, not written over
// it), Z (zero or empty shows as blanks), E (European: "," and "." swapped; dates day first), B (left
// justified), C (" CR" after positive numbers), X (" DB" after negative numbers), ( (negative numbers in
// parentheses), D (dates in the current date format). Template positions: 9 # for digits, ! A N X L Y for
// characters (! also upper-cases), * and $ (digits with that fill for leading blanks), "," (thousands
// separator, shown once a digit stands before it) and "." (the decimal point); anything else is a literal.
#pragma once

#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace rt {

std::string transform(const Value& value, std::string_view picture);

}  // namespace rt
