// Small text services of the native layer that need no platform.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vorpex {

// True when every character is a decimal digit or "." (so also for "").
bool isStringNumeric(std::string_view text);

// The pieces, each followed by a blank, cut at `limit` bytes: what one debug-output line carries.
std::string joinForDebug(std::span<const std::string_view> pieces, size_t limit = 8192);

// The number of 16-bit characters of a wide string held in a byte string: bounded by the bytes present
// (an odd last byte is no character) and ended by the first null character.
size_t wideLength(std::string_view bytes);

}  // namespace vorpex
