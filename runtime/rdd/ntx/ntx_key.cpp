#include "ntx_key.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ntx_error.h"
#include "ntx_header.h"

namespace rt::ntx {

namespace {

// Default width of a computed number with no declared width, as Str() shows it.
constexpr int defaultIntWidth = 10;

std::string yyyymmdd(int32_t julian) {
    if (julian == 0) return std::string(8, ' ');
    // Civil date from the Julian day number (Fliegel and Van Flandern).
    int64_t l = static_cast<int64_t>(julian) + 68569;
    int64_t n = 4 * l / 146097;
    l -= (146097 * n + 3) / 4;
    int64_t i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    int64_t j = 80 * l / 2447;
    int64_t day = l - 2447 * j / 80;
    l = j / 11;
    int64_t month = j + 2 - 12 * l;
    int64_t year = 100 * (n - 49) + i + l;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", static_cast<int>(year % 10000), static_cast<int>(month),
                  static_cast<int>(day));
    return buf;
}

int32_t julianOf(const std::string& s) {
    if (s.size() < 8 || s.find_first_not_of(' ') == std::string::npos) return 0;
    int y = std::atoi(s.substr(0, 4).c_str()), m = std::atoi(s.substr(4, 2).c_str()),
        d = std::atoi(s.substr(6, 2).c_str());
    int a = (14 - m) / 12, yy = y + 4800 - a, mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

std::string fit(std::string s, uint16_t size) {
    s.resize(size, ' ');
    return s;
}

std::pair<int, int> widthOf(const Number& n) {
    int dec = n.decimals >= 0 ? n.decimals : (n.isInteger ? 0 : 2);
    int width = n.width > 0 ? n.width : defaultIntWidth + (dec > 0 ? dec + 1 : 0);
    return {width, dec};
}

}  // namespace

KeySpec keySpecOf(const Value& sample) {
    const Value& v = sample.deref();
    switch (v.type()) {
    case Type::String:
        if (v.asString().empty() || v.asString().size() > maxKeySize)
            throw NtxError(eg::DataWidth, {}, "Key size out of range");
        return {KeyType::Character, static_cast<uint16_t>(v.asString().size()), 0};
    case Type::Number: {
        auto [w, d] = widthOf(v.asNumber());
        if (w > maxKeySize) throw NtxError(eg::DataWidth, {}, "Key size out of range");
        return {KeyType::Numeric, static_cast<uint16_t>(w), static_cast<uint16_t>(d)};
    }
    case Type::Date: return {KeyType::Date, 8, 0};
    case Type::Logical: return {KeyType::Logical, 1, 0};
    default: throw NtxError(eg::DataType, {}, "Invalid key type");
    }
}

std::string encodeNumber(double n, uint16_t width, uint16_t decimals) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%*.*f", static_cast<int>(width), static_cast<int>(decimals), n);
    std::string s = buf;
    if (s.size() > width) return std::string(width, '*');  // Str() overflow; still a key of the right size
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') s[i++] = '0';
    if (i < s.size() && s[i] == '-') {
        s[i] = '0';
        for (char& c : s)
            if (c >= '0' && c <= '9') c = static_cast<char>('0' - (c - '0') - 4);
    }
    return s;
}

double decodeNumber(const std::string& key) {
    std::string s = key;
    bool negative = !s.empty() && static_cast<unsigned char>(s[0]) < '0' && s[0] != '.';
    if (negative)
        for (char& c : s)
            if (c >= '0' - 13 && c <= '0' - 4) c = static_cast<char>('0' - (c - '0' + 4));
    double v = std::strtod(s.c_str(), nullptr);
    return negative ? -v : v;
}

std::string encodeKey(const Value& value, const KeySpec& spec) {
    const Value& v = value.deref();
    switch (spec.type) {
    case KeyType::Character: return fit(v.isString() ? v.asString() : std::string(), spec.size);
    case KeyType::Numeric: return encodeNumber(v.isNumber() ? v.asDouble() : 0.0, spec.size, spec.decimals);
    case KeyType::Date: return fit(yyyymmdd(v.isDate() ? v.asDate().julian : 0), spec.size);
    case KeyType::Logical: return fit(v.asLogical() ? "T" : "F", spec.size);
    }
    return std::string(spec.size, ' ');
}

std::string encodeSeekKey(const Value& value, const KeySpec& spec) {
    const Value& v = value.deref();
    if (v.isString()) return v.asString().substr(0, spec.size);
    if (v.isNumber()) return encodeNumber(v.asDouble(), spec.size, spec.decimals);
    if (v.isDate()) return yyyymmdd(v.asDate().julian).substr(0, spec.size);
    if (v.isLogical()) return std::string(v.asLogical() ? "T" : "F").substr(0, spec.size);
    return {};
}

Value decodeKey(const std::string& key, const KeySpec& spec) {
    switch (spec.type) {
    case KeyType::Character: return Value(key);
    case KeyType::Numeric:
        return Value::number(decodeNumber(key), spec.size, spec.decimals);
    case KeyType::Date: return Value(Date{julianOf(key)});
    case KeyType::Logical: return Value(!key.empty() && key[0] == 'T');
    }
    return Value();
}

}  // namespace rt::ntx
