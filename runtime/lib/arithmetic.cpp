#include "arithmetic.h"

#include <algorithm>
#include <cmath>

#include "lib_error.h"
#include "number.h"

namespace rt {
namespace {

int subCodeOf(ArithOp op) {
    switch (op) {
        case ArithOp::Add: return 1081;
        case ArithOp::Subtract: return 1082;
        case ArithOp::Multiply: return 1083;
        case ArithOp::Divide: return 1084;
        case ArithOp::Modulo: return 1085;
        case ArithOp::Power: return 1088;
    }
    return 1081;
}

Value mismatch(ArithOp op, const Value& a, const Value& b) {
    Value items[2] = {a, b};
    return raiseArgError(subCodeOf(op), operatorText(op), Args(items, 2));
}

Value zeroDivisor(ArithOp op, const Value& a, const Value& b) {
    Value items[2] = {a, b};
    return raiseZeroDiv(op == ArithOp::Divide ? 1340 : 1341, operatorText(op), Args(items, 2));
}

Value real(double x, int decimals) { return Value(realNumber(x, decimals)); }

Value addNumbers(const Number& x, const Number& y, bool subtract) {
    int64_t r = 0;
    if (x.isInteger && y.isInteger &&
        !(subtract ? __builtin_sub_overflow(x.integer, y.integer, &r) : __builtin_add_overflow(x.integer, y.integer, &r)))
        return Value(integerNumber(r));
    double d = subtract ? x.asDouble() - y.asDouble() : x.asDouble() + y.asDouble();
    return real(d, std::max(effectiveDecimals(x), effectiveDecimals(y)));
}

Value multiplyNumbers(const Number& x, const Number& y) {
    int64_t r = 0;
    if (x.isInteger && y.isInteger && !__builtin_mul_overflow(x.integer, y.integer, &r)) return Value(integerNumber(r));
    return real(x.asDouble() * y.asDouble(), std::min(effectiveDecimals(x) + effectiveDecimals(y), 99));
}

Value moduloNumbers(const Number& x, const Number& y) {
    if (x.isInteger && y.isInteger && !(x.integer == INT64_MIN && y.integer == -1))
        return Value(integerNumber(x.integer % y.integer));
    return real(std::fmod(x.asDouble(), y.asDouble()), std::max(effectiveDecimals(x), effectiveDecimals(y)));
}

bool isZero(const Number& n) { return n.isInteger ? n.integer == 0 : n.real == 0.0; }

Value numeric(ArithOp op, const Value& a, const Value& b) {
    const Number& x = a.asNumber();
    const Number& y = b.asNumber();
    switch (op) {
        case ArithOp::Add: return addNumbers(x, y, false);
        case ArithOp::Subtract: return addNumbers(x, y, true);
        case ArithOp::Multiply: return multiplyNumbers(x, y);
        case ArithOp::Divide:
            if (isZero(y)) return zeroDivisor(op, a, b);
            return real(x.asDouble() / y.asDouble(), -1);
        case ArithOp::Modulo:
            if (isZero(y)) return zeroDivisor(op, a, b);
            return moduloNumbers(x, y);
        case ArithOp::Power: return real(std::pow(x.asDouble(), y.asDouble()), -1);
    }
    return Value();
}

// A date moved by whole days; the empty date stays empty and a result outside the calendar is empty too.
Date shiftDate(Date d, double days) {
    if (d.empty() || !std::isfinite(days)) return d.empty() ? d : Date{};
    double j = static_cast<double>(d.julian) + std::trunc(days);
    if (j < 1 || j > 5373484.0) return Date{};  // 9999-12-31
    return Date{static_cast<int32_t>(j)};
}

// Joined strings longer than the library's limit are a string-overflow error, not an allocation failure.
bool joinable(const std::string& a, const std::string& b, ArithOp op, Value& overflow) {
    if (a.size() + b.size() <= kMaxStringLength) return true;
    overflow = Value(raiseStringOverflow(1209, operatorText(op)));
    return false;
}

Value addStrings(const std::string& a, const std::string& b) {
    Value overflow;
    if (!joinable(a, b, ArithOp::Add, overflow)) return overflow;
    return Value(a + b);
}

Value subtractStrings(const std::string& a, const std::string& b) {
    Value overflow;
    if (!joinable(a, b, ArithOp::Subtract, overflow)) return overflow;
    size_t end = a.size();
    while (end > 0 && a[end - 1] == ' ') --end;
    return Value(a.substr(0, end) + b + std::string(a.size() - end, ' '));
}

}  // namespace

const char* operatorText(ArithOp op) {
    switch (op) {
        case ArithOp::Add: return "+";
        case ArithOp::Subtract: return "-";
        case ArithOp::Multiply: return "*";
        case ArithOp::Divide: return "/";
        case ArithOp::Modulo: return "%";
        case ArithOp::Power: return "**";
    }
    return "+";
}

Value arithmetic(ArithOp op, const Value& a0, const Value& b0) {
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    if (a.isNumber() && b.isNumber()) return numeric(op, a, b);
    if (op == ArithOp::Add) {
        if (a.isString() && b.isString()) return addStrings(a.asString(), b.asString());
        if (a.isDate() && b.isNumber()) return Value(shiftDate(a.asDate(), b.asDouble()));
        if (a.isNumber() && b.isDate()) return Value(shiftDate(b.asDate(), a.asDouble()));
    }
    if (op == ArithOp::Subtract) {
        if (a.isString() && b.isString()) return subtractStrings(a.asString(), b.asString());
        if (a.isDate() && b.isNumber()) return Value(shiftDate(a.asDate(), -b.asDouble()));
        if (a.isDate() && b.isDate()) return Value(integerNumber(int64_t(a.asDate().julian) - b.asDate().julian));
    }
    return mismatch(op, a, b);
}

Value negate(const Value& a0) {
    const Value& a = a0.deref();
    if (!a.isNumber()) return raiseArgError(1080, "-", Args(&a, 1));
    Number n = a.asNumber();
    if (n.isInteger && n.integer != INT64_MIN) {
        n.integer = -n.integer;
    } else {
        n.real = -n.asDouble();
        n.isInteger = false;
    }
    return Value(n);
}

Value modFunction(const Value& a0, const Value& b0) {
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    if (!a.isNumber() || !b.isNumber()) return mismatch(ArithOp::Modulo, a, b);
    Value r = arithmetic(ArithOp::Modulo, a, b);
    if (!r.isNumber()) return r;
    double rv = r.asDouble(), bv = b.asDouble();
    if (rv != 0.0 && ((rv < 0) != (bv < 0))) return arithmetic(ArithOp::Add, r, b);
    return r;
}

}  // namespace rt
