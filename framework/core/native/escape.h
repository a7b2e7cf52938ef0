// Escaping of strings for literals and log lines: null, tab, line feed, carriage return and backslash (and,
// in the quoted form, the double quote) become backslash sequences.
#pragma once

#include <string>
#include <string_view>

namespace vorpex {

// With `quoted` the result is enclosed in double quotes and, when anything was escaped, preceded by "e" (the
// escaped-literal form).
std::string encodeEscapes(std::string_view text, bool quoted);
// The reverse; a backslash before any other character, or a lone one at the end, stays as it is.
std::string decodeEscapes(std::string_view text);

}  // namespace vorpex
