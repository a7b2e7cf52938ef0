// The errors the library functions and operators raise, in one place so that every caller builds them alike.
#pragma once

#include <string_view>

#include "runtime/core/error.h"

namespace rt {

// Longest string a library function builds (Replicate, Space, Pad*, Str widths): beyond it the result is a
// string-overflow error instead of an allocation failure.
inline constexpr size_t kMaxStringLength = 64u * 1024u * 1024u;

// An argument or operand of the wrong type (genCode Arg). Answers the handler's substituted value; NIL when
// it answered Default without one.
Value raiseArgError(int subCode, std::string_view operation, Args args);
// Division by zero (genCode ZeroDiv); a non-numeric answer counts as 0.
Value raiseZeroDiv(int subCode, std::string_view operation, Args args);
// A result longer than kMaxStringLength (genCode StrOverflow); answers "" unless a string is substituted.
std::string raiseStringOverflow(int subCode, std::string_view operation);

}  // namespace rt
