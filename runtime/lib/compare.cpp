#include "compare.h"

#include <cstring>

#include "lib_error.h"
#include "runtime/core/settings.h"

namespace rt {
namespace {

int sign(int64_t v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

int compareBytes(std::string_view a, std::string_view b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
    if (c != 0) return c < 0 ? -1 : 1;
    return sign(static_cast<int64_t>(a.size()) - static_cast<int64_t>(b.size()));
}

std::string_view withoutTrailingBlanks(std::string_view s) {
    size_t end = s.size();
    while (end > 0 && s[end - 1] == ' ') --end;
    return s.substr(0, end);
}

int compareStrings(std::string_view a, std::string_view b, bool exact) {
    if (exact) return compareBytes(withoutTrailingBlanks(a), withoutTrailingBlanks(b));
    if (a.size() > b.size()) a = a.substr(0, b.size());
    return compareBytes(a, b);
}

int compareNumbers(const Number& a, const Number& b) {
    if (a.isInteger && b.isInteger) return a.integer < b.integer ? -1 : a.integer > b.integer ? 1 : 0;
    double x = a.asDouble(), y = b.asDouble();
    return x < y ? -1 : x > y ? 1 : 0;
}

bool ordered(Type t) {
    return t == Type::Nil || t == Type::String || t == Type::Number || t == Type::Date || t == Type::Logical;
}

// Same type and comparable: the order; otherwise no answer.
bool tryCompare(const Value& a, const Value& b, bool exact, int& result) {
    if (a.type() != b.type() || !ordered(a.type())) return false;
    switch (a.type()) {
        case Type::Nil: result = 0; return true;
        case Type::String: result = compareStrings(a.asString(), b.asString(), exact); return true;
        case Type::Number: result = compareNumbers(a.asNumber(), b.asNumber()); return true;
        case Type::Date: result = sign(int64_t(a.asDate().julian) - b.asDate().julian); return true;
        case Type::Logical: result = int(a.asLogical()) - int(b.asLogical()); return true;
        default: return false;
    }
}

int subCodeOf(CompareOp op) {
    switch (op) {
        case CompareOp::ExactEqual: return 1070;
        case CompareOp::Equal: return 1071;
        case CompareOp::NotEqual: return 1072;
        case CompareOp::Less: return 1073;
        case CompareOp::LessEqual: return 1074;
        case CompareOp::Greater: return 1075;
        case CompareOp::GreaterEqual: return 1076;
    }
    return 1071;
}

bool holds(CompareOp op, int c) {
    switch (op) {
        case CompareOp::Equal:
        case CompareOp::ExactEqual: return c == 0;
        case CompareOp::NotEqual: return c != 0;
        case CompareOp::Less: return c < 0;
        case CompareOp::LessEqual: return c <= 0;
        case CompareOp::Greater: return c > 0;
        case CompareOp::GreaterEqual: return c >= 0;
    }
    return false;
}

bool isEquality(CompareOp op) {
    return op == CompareOp::Equal || op == CompareOp::ExactEqual || op == CompareOp::NotEqual;
}

Value mismatch(CompareOp op, const Value& a, const Value& b) {
    Value items[2] = {a, b};
    Value v = raiseArgError(subCodeOf(op), operatorText(op), Args(items, 2));
    return v.isNil() ? Value(false) : v;
}

}  // namespace

const char* operatorText(CompareOp op) {
    switch (op) {
        case CompareOp::Equal: return "=";
        case CompareOp::ExactEqual: return "==";
        case CompareOp::NotEqual: return "<>";
        case CompareOp::Less: return "<";
        case CompareOp::LessEqual: return "<=";
        case CompareOp::Greater: return ">";
        case CompareOp::GreaterEqual: return ">=";
    }
    return "=";
}

int compareValues(const Value& a0, const Value& b0, bool exact) {
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    int result = 0;
    if (tryCompare(a, b, exact, result)) return result;
    Value items[2] = {a, b};
    raiseArgError(1071, "=", Args(items, 2));
    return sign(int(a.typeCode()) - int(b.typeCode()));
}

Value compareOp(CompareOp op, const Value& a0, const Value& b0) {
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    if (isEquality(op) && (a.isNil() || b.isNil())) return holds(op, a.isNil() && b.isNil() ? 0 : 1);
    if (op == CompareOp::ExactEqual) {
        if (a.isString() && b.isString()) return a.asString() == b.asString();
        if (a.type() == b.type() && !ordered(a.type())) return a.sameAs(b);
    }
    int c = 0;
    bool exact = op == CompareOp::ExactEqual || settings().exact;
    if (!tryCompare(a, b, exact, c)) return mismatch(op, a, b);
    return holds(op, c);
}

bool compareTest(CompareOp op, const Value& a, const Value& b) {
    Value v = compareOp(op, a, b);
    return v.isLogical() && v.asLogical();
}

Value containedIn(const Value& a0, const Value& b0) {
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    if (!a.isString() || !b.isString()) {
        Value items[2] = {a, b};
        Value v = raiseArgError(1109, "$", Args(items, 2));
        return v.isNil() ? Value(false) : v;
    }
    const std::string& needle = a.asString();
    return !needle.empty() && b.asString().find(needle) != std::string::npos;
}

}  // namespace rt
