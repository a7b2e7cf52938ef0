// Small text and date services the framework and the programs call by name: STRPATTERN, DTOSQL, DTTOSQL and
// VP_GETDEFVALUE.
#pragma once

#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace vorpex {

// The characters of `text` whose upper-case form occurs in the upper-cased `chars` (keep true) or does not
// (keep false), in order.
std::string strPattern(std::string_view text, std::string_view chars, bool keep);

// "yyyy-mm-dd"; the empty date gives "".
std::string dToSql(rt::Date d);

// A date-time as the runtime carries it: a Date (midnight), or a number whose integer part is the Julian day
// and whose fraction is the time of day. "yyyy-mm-dd hh:mm:ss"; "" for an empty or unusable value.
std::string dtToSql(const rt::Value& dateTime);

// The empty value of a type letter: "C"/"M" "", "N" 0, "L" false, "D" and "T" the empty date, "A" {}, "B" a
// block answering NIL, anything else NIL.
rt::Value defaultValueOf(std::string_view type);

}  // namespace vorpex
