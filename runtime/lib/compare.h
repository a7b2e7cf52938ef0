// The xBase comparison rules, shared by the expression evaluator, the table engine and the framework.
#pragma once

#include "runtime/core/value.h"

namespace rt {

enum class CompareOp { Equal, ExactEqual, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// Orders two values of one type: <0, 0, >0. Strings with `exact` off compare only as many characters as the
// right side has (an empty right side equals anything); with `exact` on, trailing blanks do not count.
// Numbers, dates and logicals (.F. < .T.) compare naturally; NIL equals NIL. Values of different types (or
// types without an order) raise a type-mismatch error (Arg, subsystem BASE, subcode 1071); when the
// handler answers Default the values are ordered by their type letter, so sorting stays consistent.
int compareValues(const Value& a, const Value& b, bool exact);

// `a op b` as the language evaluates it: "=" and the relational operators follow SET EXACT, "==" is exact
// (strings byte for byte; arrays, objects and blocks by identity); "=", "==" and "!=" with a NIL operand
// answer whether both are NIL. A type mismatch raises the operator's error (1070..1076); the handler's
// substituted value is the result, .F. when it gives none.
Value compareOp(CompareOp op, const Value& a, const Value& b);
bool compareTest(CompareOp op, const Value& a, const Value& b);

// The "$" operator: `a` occurs in `b` (both strings; an empty `a` does not occur).
Value containedIn(const Value& a, const Value& b);

// The operator's text ("=", "==", "!=", ...), the operation in its error.
const char* operatorText(CompareOp op);

}  // namespace rt
