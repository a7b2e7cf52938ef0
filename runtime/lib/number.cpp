#include "number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "lib_error.h"
#include "runtime/core/settings.h"

namespace rt {
namespace {

constexpr int kDefaultIntegerWidth = 10;
constexpr int kWideIntegerWidth = 20;

int integerWidthFor(double x) { return std::fabs(x) >= 1e10 ? kWideIntegerWidth : kDefaultIntegerWidth; }

std::string fixed(double x, int decimals) {
    int n = std::snprintf(nullptr, 0, "%.*f", decimals, x);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), "%.*f", decimals, x);
    out.resize(static_cast<size_t>(n));
    return out;
}

std::string fitRight(std::string digits, int width) {
    if (digits.size() > static_cast<size_t>(width)) return std::string(static_cast<size_t>(width), '*');
    return std::string(static_cast<size_t>(width) - digits.size(), ' ') + digits;
}

int clampWidth(int width) {
    if (width < 1) return kDefaultIntegerWidth;
    if (static_cast<size_t>(width) > kMaxStringLength) return static_cast<int>(kMaxStringLength);
    return width;
}

}  // namespace

double roundHalfAway(double x, int decimals) {
    if (!std::isfinite(x)) return x;
    if (decimals > 300) return x;
    if (decimals < -300) return 0.0;
    double p = std::pow(10.0, decimals);
    double scaled = x * p;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 1e17) return x;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", scaled);
    double r = std::round(std::strtod(buf, nullptr));
    double result = r / p;
    return result == 0.0 ? 0.0 : result;  // no negative zero: it would show as "-0"
}

int effectiveDecimals(const Number& n) {
    if (n.decimals >= 0) return n.decimals;
    return n.isInteger ? 0 : settings().decimals;
}

int displayWidth(const Number& n) {
    if (n.width > 0) return n.width;
    int dec = effectiveDecimals(n);
    int width = integerWidthFor(n.asDouble());
    return dec > 0 ? width + dec + 1 : width;
}

std::string str(double x, int width, int decimals) {
    width = clampWidth(width);
    if (decimals < 0) decimals = 0;
    if (decimals > 0 && width < decimals + 2) decimals = width > 2 ? width - 2 : 0;
    if (!std::isfinite(x)) return std::string(static_cast<size_t>(width), '*');
    double r = roundHalfAway(x, decimals);
    return fitRight(fixed(r == 0.0 ? 0.0 : r, decimals), width);
}

std::string str(const Number& n) { return str(n, displayWidth(n), effectiveDecimals(n)); }

std::string str(const Number& n, int width) { return str(n, width, 0); }

std::string str(const Number& n, int width, int decimals) {
    if (n.isInteger && decimals <= 0) return fitRight(std::to_string(n.integer), clampWidth(width));
    return str(n.asDouble(), width, decimals);
}

Number val(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::string digits;
    int decimals = -1;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            if (decimals >= 0) ++decimals;
        } else if (c == '.' && decimals < 0) {
            digits += c;
            decimals = 0;
        } else {
            break;
        }
    }
    bool anyDigit = digits.find_first_of("0123456789") != std::string::npos;
    if (!anyDigit) return integerNumber(0);
    if (decimals < 0 && digits.size() <= 18) {
        int64_t v = std::strtoll(digits.c_str(), nullptr, 10);
        return integerNumber(negative ? -v : v);
    }
    double d = std::strtod(digits.c_str(), nullptr);
    if (negative) d = -d;
    if (decimals < 0) return realNumber(d, 0);
    return realNumber(d, decimals);
}

Number realNumber(double x, int decimals) {
    Number n;
    n.isInteger = false;
    n.real = x;
    n.decimals = static_cast<int16_t>(decimals < -1 ? -1 : decimals > 99 ? 99 : decimals);
    return n;
}

Number integerNumber(int64_t i) {
    Number n;
    n.integer = i;
    n.decimals = 0;
    return n;
}

}  // namespace rt
