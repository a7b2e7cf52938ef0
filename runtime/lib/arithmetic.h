// Arithmetic on values as the language does it: numbers keep exact integers while they can, strings
// concatenate, dates move by days. A wrong operand type raises a type-mismatch error (Arg, subsystem
// BASE, 1080..1088 by operator), a zero divisor a ZeroDiv error (1340 "/", 1341 "%") and a joined string
// beyond kMaxStringLength a StrOverflow error (1209); the handler's substituted value is then the result.
#pragma once

#include "runtime/core/value.h"

namespace rt {

enum class ArithOp { Add, Subtract, Multiply, Divide, Modulo, Power };

// + : numbers, string + string, date + number, number + date.
// - : numbers, date - number, date - date (days), string - string (the left side's trailing blanks move
//     to the end of the result).
// * / % ** : numbers. "%" keeps the dividend's sign, as C's fmod does.
Value arithmetic(ArithOp op, const Value& a, const Value& b);
Value negate(const Value& a);
const char* operatorText(ArithOp op);

// Mod(): the result takes the divisor's sign (dBASE rule), unlike the "%" operator.
Value modFunction(const Value& a, const Value& b);

}  // namespace rt
