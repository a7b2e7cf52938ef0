// The xBase string functions on plain strings (ANSI bytes, positions 1-based as the language counts them).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// SubStr: a start of 0 counts as 1, a negative start counts from the end; a missing length (npos) runs
// to the end.
std::string substr(std::string_view s, int64_t start, int64_t length = INT64_MAX);
std::string left(std::string_view s, int64_t n);
std::string right(std::string_view s, int64_t n);
// Upper/Lower know the letters of the Windows Western code page (1252), so Spanish "ñ" becomes "Ñ".
std::string toUpper(std::string_view s);
std::string toLower(std::string_view s);
char upperChar(char c);
char lowerChar(char c);
// RTrim (and Trim) remove trailing blanks; LTrim removes leading blanks, tabs and line ends.
std::string rtrim(std::string_view s);
std::string ltrim(std::string_view s);
std::string alltrim(std::string_view s);
// Pad*: the text is cut to `n` (keeping its left part) or filled with `fill` on the given side(s).
std::string padl(std::string_view s, int64_t n, char fill = ' ');
std::string padr(std::string_view s, int64_t n, char fill = ' ');
std::string padc(std::string_view s, int64_t n, char fill = ' ');
std::string space(int64_t n);
std::string replicate(std::string_view s, int64_t times);
// StrTran: replaces occurrences of `search` from the `start`-th one on, at most `count` of them
// (count < 0: all).
std::string strtran(std::string_view s, std::string_view search, std::string_view replacement = {}, int64_t start = 1,
                    int64_t count = -1);
// At/RAt: 1-based position of the first/last occurrence, 0 when absent or when `needle` is empty.
int64_t at(std::string_view needle, std::string_view haystack);
int64_t rat(std::string_view needle, std::string_view haystack);
// True for a text of blanks, tabs and line ends only (Empty()).
bool isBlankText(std::string_view s);

}  // namespace rt
