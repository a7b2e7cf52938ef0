#include "library.h"

#include <cmath>
#include <string>

#include "arithmetic.h"
#include "compare.h"
#include "date.h"
#include "display.h"
#include "lib_error.h"
#include "number.h"
#include "runtime/core/runtime.h"
#include "text.h"
#include "transform.h"

namespace rt {
namespace {

// Argument checks: a wrong type raises the function's argument error; the handler's value is the result.
struct Call {
    Args args;
    const char* name;
    int subCode;

    const Value& operator[](size_t i) const { return arg(args, i); }
    bool is(size_t i, Type t) const { return (*this)[i].type() == t; }
    bool isOpt(size_t i, Type t) const { return (*this)[i].isNil() || is(i, t); }
    Value fail() const { return raiseArgError(subCode, name, args); }
    int64_t integer(size_t i, int64_t fallback) const {
        const Value& v = (*this)[i];
        if (!v.isNumber()) return fallback;
        double d = v.asDouble();
        if (v.asNumber().isInteger) return v.asInteger();
        if (!(d == d)) return fallback;  // NaN
        if (d >= 9.2e18) return INT64_MAX;
        if (d <= -9.2e18) return INT64_MIN + 1;
        return static_cast<int64_t>(d);
    }
};

using Body = Value (*)(const Call&);

void add(const char* name, int subCode, Body body) {
    registerFunction(name, [name, subCode, body](Args a) { return body(Call{a, name, subCode}); });
}

int clampInt(int64_t v) { return v > 1'000'000'000 ? 1'000'000'000 : v < -1'000'000'000 ? -1'000'000'000 : int(v); }

// Pad* accept any simple value, shown as the language shows it without padding.
bool padText(const Value& v, std::string& out) {
    switch (v.type()) {
        case Type::String: out = v.asString(); return true;
        case Type::Number: out = alltrim(str(v.asNumber())); return true;
        case Type::Date: out = dtoc(v.asDate()); return true;
        case Type::Logical: out = v.asLogical() ? "T" : "F"; return true;
        default: return false;
    }
}

char fillChar(const Call& c) {
    const Value& f = c[2];
    return f.isString() && !f.asString().empty() ? f.asString()[0] : ' ';
}

Value pad(const Call& c, std::string (*fn)(std::string_view, int64_t, char)) {
    std::string text;
    if (!padText(c[0], text) || !c.is(1, Type::Number)) return c.fail();
    return fn(text, c.integer(1, 0), fillChar(c));
}

bool isEmpty(const Value& v) {
    switch (v.type()) {
        case Type::Nil: return true;
        case Type::Logical: return !v.asLogical();
        case Type::Number: return v.asDouble() == 0.0;
        case Type::String: return isBlankText(v.asString());
        case Type::Date: return v.asDate().empty();
        case Type::Array: return v.asArray()->size() == 0;
        case Type::Pointer: return v.asPointer().address == nullptr;
        default: return false;
    }
}

Value dateOf(const Call& c, int (*part)(Date)) {
    if (!c.is(0, Type::Date)) return c.fail();
    return part(c[0].asDate());
}

void registerTextFunctions() {
    add("SUBSTR", 1110, [](const Call& c) -> Value {
        if (!c.is(0, Type::String) || !c.is(1, Type::Number) || !c.isOpt(2, Type::Number)) return c.fail();
        return substr(c[0].asString(), c.integer(1, 1), c[2].isNil() ? INT64_MAX : c.integer(2, 0));
    });
    add("LEFT", 1124, [](const Call& c) -> Value {
        if (!c.is(0, Type::String) || !c.is(1, Type::Number)) return c.fail();
        return left(c[0].asString(), c.integer(1, 0));
    });
    add("RIGHT", 1124, [](const Call& c) -> Value {
        if (!c.is(0, Type::String) || !c.is(1, Type::Number)) return c.fail();
        return right(c[0].asString(), c.integer(1, 0));
    });
    add("UPPER", 1102, [](const Call& c) -> Value { return c.is(0, Type::String) ? Value(toUpper(c[0].asString())) : c.fail(); });
    add("LOWER", 1103, [](const Call& c) -> Value { return c.is(0, Type::String) ? Value(toLower(c[0].asString())) : c.fail(); });
    add("TRIM", 1100, [](const Call& c) -> Value { return c.is(0, Type::String) ? Value(rtrim(c[0].asString())) : c.fail(); });
    add("RTRIM", 1100, [](const Call& c) -> Value { return c.is(0, Type::String) ? Value(rtrim(c[0].asString())) : c.fail(); });
    add("LTRIM", 1101, [](const Call& c) -> Value { return c.is(0, Type::String) ? Value(ltrim(c[0].asString())) : c.fail(); });
    add("ALLTRIM", 2022, [](const Call& c) -> Value { return c.is(0, Type::String) ? Value(alltrim(c[0].asString())) : c.fail(); });
    add("PADL", 1236, [](const Call& c) { return pad(c, padl); });
    add("PADR", 1237, [](const Call& c) { return pad(c, padr); });
    add("PADC", 1238, [](const Call& c) { return pad(c, padc); });
    add("SPACE", 1105, [](const Call& c) -> Value { return c.is(0, Type::Number) ? Value(space(c.integer(0, 0))) : c.fail(); });
    add("REPLICATE", 1106, [](const Call& c) -> Value {
        if (!c.is(0, Type::String) || !c.is(1, Type::Number)) return c.fail();
        return replicate(c[0].asString(), c.integer(1, 0));
    });
    add("STRTRAN", 1126, [](const Call& c) -> Value {
        if (!c.is(0, Type::String) || !c.is(1, Type::String) || !c.isOpt(2, Type::String) ||
            !c.isOpt(3, Type::Number) || !c.isOpt(4, Type::Number))
            return c.fail();
        std::string replacement = c[2].isNil() ? std::string() : c[2].asString();
        int64_t count = c[4].isNil() ? -1 : c.integer(4, -1);
        return strtran(c[0].asString(), c[1].asString(), replacement, c.integer(3, 1), count);
    });
    add("AT", 1108, [](const Call& c) -> Value {
        if (!c.is(0, Type::String) || !c.is(1, Type::String)) return c.fail();
        return at(c[0].asString(), c[1].asString());
    });
    add("RAT", 1108, [](const Call& c) -> Value {
        if (!c.is(0, Type::String) || !c.is(1, Type::String)) return c.fail();
        return rat(c[0].asString(), c[1].asString());
    });
    add("LEN", 1111, [](const Call& c) -> Value {
        if (c.is(0, Type::String)) return static_cast<int64_t>(c[0].asString().size());
        if (c.is(0, Type::Array)) return static_cast<int64_t>(c[0].asArray()->size());
        return c.fail();
    });
    add("CHR", 1104, [](const Call& c) -> Value {
        if (!c.is(0, Type::Number)) return c.fail();
        return std::string(1, static_cast<char>(static_cast<unsigned char>(c.integer(0, 0) & 0xFF)));
    });
    add("ASC", 1107, [](const Call& c) -> Value {
        if (!c.is(0, Type::String)) return c.fail();
        const std::string& s = c[0].asString();
        return s.empty() ? 0 : static_cast<int>(static_cast<unsigned char>(s[0]));
    });
}

void registerNumberFunctions() {
    add("STR", 1099, [](const Call& c) -> Value {
        if (!c.is(0, Type::Number) || !c.isOpt(1, Type::Number) || !c.isOpt(2, Type::Number)) return c.fail();
        const Number& n = c[0].asNumber();
        if (c[1].isNil()) return str(n);
        if (c[2].isNil()) return str(n, clampInt(c.integer(1, 10)));
        return str(n, clampInt(c.integer(1, 10)), clampInt(c.integer(2, 0)));
    });
    add("VAL", 1098, [](const Call& c) -> Value { return c.is(0, Type::String) ? Value(val(c[0].asString())) : c.fail(); });
    add("ROUND", 1094, [](const Call& c) -> Value {
        if (!c.is(0, Type::Number) || !c.is(1, Type::Number)) return c.fail();
        int dec = clampInt(c.integer(1, 0));
        return realNumber(roundHalfAway(c[0].asDouble(), dec), dec > 0 ? dec : 0);
    });
    add("INT", 1090, [](const Call& c) -> Value {
        if (!c.is(0, Type::Number)) return c.fail();
        const Number& n = c[0].asNumber();
        if (n.isInteger) return integerNumber(n.integer);
        double t = std::trunc(n.real);
        if (std::fabs(t) < 9.2e18) return integerNumber(static_cast<int64_t>(t));
        return realNumber(t, 0);
    });
    add("ABS", 1089, [](const Call& c) -> Value {
        if (!c.is(0, Type::Number)) return c.fail();
        return c[0].asDouble() < 0 ? negate(c[0]) : c[0];
    });
    add("MAX", 1093, [](const Call& c) -> Value {
        if (c[0].type() != c[1].type() || !(c.is(0, Type::Number) || c.is(0, Type::Date) || c.is(0, Type::Logical)))
            return c.fail();
        return compareValues(c[0], c[1], true) >= 0 ? c[0] : c[1];
    });
    add("MIN", 1092, [](const Call& c) -> Value {
        if (c[0].type() != c[1].type() || !(c.is(0, Type::Number) || c.is(0, Type::Date) || c.is(0, Type::Logical)))
            return c.fail();
        return compareValues(c[0], c[1], true) <= 0 ? c[0] : c[1];
    });
    add("MOD", 1085, [](const Call& c) -> Value { return modFunction(c[0], c[1]); });
    add("TRANSFORM", 1122, [](const Call& c) -> Value {
        if (!c.isOpt(1, Type::String)) return c.fail();
        return transform(c[0], c[1].isNil() ? std::string() : c[1].asString());
    });
}

void registerDateFunctions() {
    add("DTOS", 1120, [](const Call& c) -> Value { return c.is(0, Type::Date) ? Value(dtos(c[0].asDate())) : c.fail(); });
    add("DTOC", 1118, [](const Call& c) -> Value { return c.is(0, Type::Date) ? Value(dtoc(c[0].asDate())) : c.fail(); });
    add("CTOD", 1119, [](const Call& c) -> Value { return c.is(0, Type::String) ? Value(ctod(c[0].asString())) : c.fail(); });
    add("STOD", 1121, [](const Call& c) -> Value {
        if (c[0].isNil()) return Date{};
        return c.is(0, Type::String) ? Value(dateFromDtos(c[0].asString())) : c.fail();
    });
    add("DATE", 0, [](const Call&) -> Value { return today(); });
    add("YEAR", 1112, [](const Call& c) { return dateOf(c, year); });
    add("MONTH", 1113, [](const Call& c) { return dateOf(c, month); });
    add("DAY", 1114, [](const Call& c) { return dateOf(c, day); });
    add("DOW", 1115, [](const Call& c) { return dateOf(c, dow); });
    add("CMONTH", 1116, [](const Call& c) -> Value { return c.is(0, Type::Date) ? Value(cmonth(c[0].asDate())) : c.fail(); });
    add("CDOW", 1117, [](const Call& c) -> Value { return c.is(0, Type::Date) ? Value(cdow(c[0].asDate())) : c.fail(); });
    add("TIME", 0, [](const Call&) -> Value { return timeOfDay(); });
    add("SECONDS", 0, [](const Call&) -> Value { return realNumber(secondsSinceMidnight(), 2); });
}

void registerValueFunctions() {
    add("EMPTY", 0, [](const Call& c) -> Value { return isEmpty(c[0]); });
    add("VALTYPE", 0, [](const Call& c) -> Value { return std::string(1, c[0].typeCode()); });
    // The expression compiler evaluates IIf lazily; this eager form serves calls by name.
    add("IIF", 0, [](const Call& c) -> Value { return c[0].asLogical() ? c[1] : c[2]; });
    add("IF", 0, [](const Call& c) -> Value { return c[0].asLogical() ? c[1] : c[2]; });
}

}  // namespace

void registerLibraryFunctions() {
    registerTextFunctions();
    registerNumberFunctions();
    registerDateFunctions();
    registerValueFunctions();
}

}  // namespace rt
