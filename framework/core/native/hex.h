// Decimal and hexadecimal conversions. Every result is a std::string of its own, so no caller shares or
// overruns a conversion buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorpex {

std::string dec(int64_t n);
// Lower-case digits, no leading zeros; the number is read as its unsigned 64-bit pattern.
std::string hex(int64_t n);
// The low 4*digits bits as exactly `digits` upper-case digits (B2HEX 2, W2HEX 4, L2HEX 8, LL2HEX 16).
std::string fixedHex(int64_t n, int digits);

// Two upper-case digits per byte, over the whole text (embedded null bytes included).
std::string stringToHex(std::string_view data);
// One byte per pair of digits (either case); a character that is no digit counts as 0; an odd last digit
// is ignored.
std::string hexToString(std::string_view hexText);
// Upper-case digits per byte; the byte 0xB7 follows every byte whose end lies on an address divisible by 4,
// so a dump shows the machine words.
std::string memToHex(const void* data, size_t size);

// The value of at most the first `digits` digits (either case); the scan ends at the text's end or at the
// first character that is no digit.
uint64_t hexPrefixValue(std::string_view text, int digits);
// 64-bit value of the text; a character that is no digit resets the value to 0 and the scan goes on.
int64_t hexToDec(std::string_view text);

// The value of one hexadecimal digit, -1 when the character is none.
int hexDigitValue(char c);

}  // namespace vorpex
