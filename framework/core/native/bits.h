// The framework's integer and bit functions on 64-bit numbers (handles, message parameters, style masks).
#pragma once

#include <cstdint>
#include <span>

namespace vorpex {

// Low 16 bits of `low` and `high` combined and read as a signed 32-bit number, as LPARAM is on 32-bit
// Windows: a high part outside 0-0xFFFF cannot leak into the upper half of the 64-bit number.
int64_t makeLong(int64_t low, int64_t high);
int64_t makeWord(int64_t low, int64_t high);
int64_t makeLongLong(int64_t low, int64_t high);

int64_t lowByte(int64_t n);
int64_t highByte(int64_t n);
// Bits 0-15 / 16-31, each as a signed 16-bit number.
int64_t lowWord(int64_t n);
int64_t highWord(int64_t n);
// Low / high 32 bits, each as a signed 32-bit number, so that MAKELONGLONG's parts come back unchanged.
int64_t lowLong(int64_t n);
int64_t highLong(int64_t n);

int64_t andAll(std::span<const int64_t> values);
int64_t orAll(std::span<const int64_t> values);
int64_t xorAll(std::span<const int64_t> values);
// The first value with the bits of every further value cleared.
int64_t excludeBits(std::span<const int64_t> values);

// Shifts by the low 8 bits of `bits`; 64 and more shift everything out (0). The right shift is logical.
int64_t shiftRight(int64_t n, int64_t bits);
int64_t shiftLeft(int64_t n, int64_t bits);

// MAKEINTRESOURCE: the 16-bit resource number.
inline int64_t makeIntResource(int64_t n) { return n & 0xFFFF; }

}  // namespace vorpex
