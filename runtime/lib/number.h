// Numbers as the xBase functions show and read them: Str, Val, Round and the width/decimals rules.
#pragma once

#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace rt {

// Rounds half away from zero at `decimals` places (negative: tens, hundreds, ...). The value is first
// taken to 15 significant digits so that 1.005 rounds to 1.01 as a person expects, not as its binary
// approximation 1.00499... would.
double roundHalfAway(double x, int decimals);

// The decimals a number shows with: its own, else 0 for integers and SET DECIMALS for the rest.
int effectiveDecimals(const Number& n);
// The width Str(n) uses: the number's own, else 10 integer positions (20 for larger values) plus the
// decimals and their point.
int displayWidth(const Number& n);

// Right-aligned in `width` characters with `decimals` places, rounded half away from zero; a value that
// does not fit gives `width` asterisks. A width below 1 means the default of 10.
std::string str(double x, int width, int decimals);
// Str(n) with the number's own width and decimals.
std::string str(const Number& n);
// Str(n, width): no decimals. Str(n, width, decimals).
std::string str(const Number& n, int width);
std::string str(const Number& n, int width, int decimals);

// Val(): leading blanks, a sign, digits and one decimal point; reading stops at the first other character.
// Integers stay integers; a decimal point sets the decimals to the digits that follow it.
Number val(std::string_view text);

// Numbers built by arithmetic: integer when exact, else a real with the given decimals (-1: default).
Number realNumber(double x, int decimals);
Number integerNumber(int64_t i);

}  // namespace rt
