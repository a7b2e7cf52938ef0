#include "framework/core/debug/small_utilities.h"

#include <cmath>
#include <cstdio>

#include "runtime/core/block.h"
#include "runtime/lib/date.h"
#include "runtime/lib/text.h"

namespace vorpex {

std::string strPattern(std::string_view text, std::string_view chars, bool keep) {
    const std::string set = rt::toUpper(chars);
    std::string out;
    for (char c : text) {
        const bool listed = set.find(rt::upperChar(c)) != std::string::npos;
        if (listed == keep) out += c;
    }
    return out;
}

std::string dToSql(rt::Date d) {
    if (d.empty()) return {};
    const rt::Ymd ymd = rt::ymdFromJulian(d.julian);
    if (ymd.year <= 0) return {};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", ymd.year, ymd.month, ymd.day);
    return buffer;
}

std::string dtToSql(const rt::Value& value) {
    const rt::Value& v = value.deref();
    int32_t day = 0;
    int seconds = 0;
    if (v.isDate()) {
        day = v.asDate().julian;
    } else if (v.isNumber()) {
        const double x = v.asDouble();
        if (!(x > 0) || !std::isfinite(x)) return {};
        day = static_cast<int32_t>(std::floor(x));
        seconds = static_cast<int>(std::lround((x - day) * 86400.0));
        if (seconds >= 86400) {  // rounding up to the next midnight
            ++day;
            seconds -= 86400;
        }
    }
    const std::string date = dToSql(rt::Date{day});
    if (date.empty()) return {};
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, " %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return date + buffer;
}

rt::Value defaultValueOf(std::string_view type) {
    const char letter = type.empty() ? ' ' : rt::upperChar(type.front());
    switch (letter) {
        case 'C':
        case 'M': return rt::Value("");
        case 'N': return rt::Value(0);
        case 'L': return rt::Value(false);
        case 'D':
        case 'T': return rt::Value(rt::Date{});
        case 'A': return rt::Value::array();
        case 'B': return rt::Value(rt::makeBlock([](rt::Args) { return rt::Value(); }, "{|| NIL }"));
        default: return {};
    }
}

}  // namespace vorpex
