#include "transform.h"

#include <cmath>

#include "date.h"
#include "number.h"
#include "runtime/core/settings.h"
#include "text.h"

namespace rt {
namespace {

struct Picture {
    bool upper = false, insert = false, zeroBlank = false, european = false, left = false;
    bool credit = false, debit = false, parens = false, dateFormat = false;
    std::string mask;
};

Picture parsePicture(std::string_view picture) {
    Picture p;
    if (picture.empty() || picture[0] != '@') {
        p.mask = std::string(picture);
        return p;
    }
    size_t blank = picture.find(' ');
    std::string_view functions = picture.substr(1, blank == std::string_view::npos ? std::string_view::npos : blank - 1);
    if (blank != std::string_view::npos) p.mask = std::string(picture.substr(blank + 1));
    for (char c : functions) {
        switch (upperChar(c)) {
            case '!': p.upper = true; break;
            case 'R': p.insert = true; break;
            case 'Z': p.zeroBlank = true; break;
            case 'E': p.european = true; break;
            case 'B': p.left = true; break;
            case 'C': p.credit = true; break;
            case 'X': p.debit = true; break;
            case '(': p.parens = true; break;
            case 'D': p.dateFormat = true; break;
            default: break;  // K, S<n> and others concern editing, not display
        }
    }
    return p;
}

bool isDigitSlot(char c) { return c == '9' || c == '#' || c == '*' || c == '$'; }

bool isTextSlot(char c) {
    c = upperChar(c);
    return c == '9' || c == '#' || c == '!' || c == 'A' || c == 'N' || c == 'X' || c == 'L' || c == 'Y' ||
           c == '*' || c == '$';
}

std::string leftJustify(const std::string& s) {
    size_t from = s.find_first_not_of(' ');
    if (from == std::string::npos || from == 0) return s;
    return s.substr(from) + std::string(from, ' ');
}

void swapSeparators(std::string& s) {
    for (char& c : s) c = c == '.' ? ',' : c == ',' ? '.' : c;
}

// --- numbers ---------------------------------------------------------------------------------------------

// Lays |x| into the template; `sign` is the '-' to place before the first digit, or 0.
std::string layNumber(double magnitude, char sign, const std::string& mask) {
    size_t point = mask.find('.');
    size_t intEnd = point == std::string::npos ? mask.size() : point;
    int decimals = 0;
    for (size_t i = intEnd; i < mask.size(); ++i)
        if (isDigitSlot(mask[i])) ++decimals;
    std::string digits = str(magnitude, 80, decimals);
    digits = alltrim(digits);
    if (digits.find('*') != std::string::npos) digits = std::string(100, '9');  // beyond any template: overflow
    size_t dot = digits.find('.');
    std::string intPart = digits.substr(0, dot);
    std::string fracPart = dot == std::string::npos ? std::string() : digits.substr(dot + 1);
    if (sign) intPart.insert(intPart.begin(), sign);

    std::string out = mask;
    // Integer positions, right to left.
    size_t slots = 0;
    for (size_t i = 0; i < intEnd; ++i)
        if (isDigitSlot(mask[i])) ++slots;
    // A template with only decimals shows no leading zero; a sign that does not fit is an overflow.
    if (slots == 0 && intPart == "0") intPart.clear();
    if (intPart.size() > slots) {
        for (size_t i = 0; i < out.size(); ++i)
            if (isDigitSlot(mask[i]) || mask[i] == ',') out[i] = '*';
        return out;
    }
    size_t next = intPart.size();
    for (size_t i = intEnd; i-- > 0;) {
        char m = mask[i];
        if (isDigitSlot(m)) {
            out[i] = next > 0 ? intPart[--next] : (m == '*' || m == '$' ? m : ' ');
        } else if (m == ',') {
            if (next == 0) {
                char before = i + 1 < intEnd ? out[i + 1] : ' ';
                out[i] = before == '*' || before == '$' ? before : ' ';
            }
        }
    }
    // Decimal positions, left to right.
    size_t f = 0;
    for (size_t i = intEnd; i < mask.size(); ++i)
        if (isDigitSlot(mask[i])) out[i] = f < fracPart.size() ? fracPart[f++] : '0';
    return out;
}

std::string transformNumber(const Number& n, const Picture& p) {
    double x = n.asDouble();
    bool negative = x < 0;
    bool signElsewhere = negative && (p.debit || p.parens);
    std::string out;
    if (p.mask.empty()) {
        Number shown = n;
        if (signElsewhere) {
            shown.isInteger = false;
            shown.real = -x;
        }
        out = str(shown);
    } else {
        out = layNumber(std::fabs(x), negative && !signElsewhere ? '-' : 0, p.mask);
    }
    if (p.zeroBlank && x == 0.0) return std::string(out.size(), ' ');
    if (p.european) swapSeparators(out);
    if (p.left) out = leftJustify(out);
    if (negative && p.parens) {
        if (!out.empty() && out[0] == ' ') {
            size_t first = out.find_first_not_of(' ');
            out[first == std::string::npos ? 0 : first - 1] = '(';
            out += ')';
        } else {
            out = "(" + out + ")";
        }
    }
    if (p.credit && x > 0) out += " CR";
    if (p.debit && negative) out += " DB";
    return out;
}

// --- text --------------------------------------------------------------------------------------------------

std::string transformText(std::string s, const Picture& p) {
    if (p.upper) s = toUpper(s);
    if (p.mask.empty()) return p.zeroBlank && isBlankText(s) ? std::string(s.size(), ' ') : s;
    std::string out;
    size_t j = 0;
    for (char m : p.mask) {
        if (isTextSlot(m)) {
            char c = j < s.size() ? s[j++] : ' ';
            out += m == '!' ? upperChar(c) : c;
            continue;
        }
        out += m;
        if (!p.insert) ++j;  // without R the literal stands in for the character at its place
    }
    if (p.zeroBlank && isBlankText(s)) return std::string(out.size(), ' ');
    return out;
}

// --- dates and logicals ----------------------------------------------------------------------------------

std::string britishFormat() { return settings().century ? "dd/mm/yyyy" : "dd/mm/yy"; }

std::string transformDate(Date d, const Picture& p) {
    std::string format = p.european ? britishFormat() : effectiveDateFormat();
    std::string text = dtoc(d, format);
    if (!p.mask.empty()) {
        // The date's digits go into the template's positions; its literals are the template's own.
        std::string fields;
        for (size_t i = 0; i < format.size() && i < text.size(); ++i) {
            char f = static_cast<char>(format[i] | 0x20);
            if (f == 'd' || f == 'm' || f == 'y') fields += text[i];
        }
        std::string out;
        size_t j = 0;
        for (char m : p.mask) out += isTextSlot(m) ? (j < fields.size() ? fields[j++] : ' ') : m;
        text = out;
    }
    if (p.zeroBlank && d.empty()) return std::string(text.size(), ' ');
    return text;
}

std::string transformLogical(bool b, const Picture& p) {
    if (p.mask.empty()) return b ? "T" : "F";
    std::string out;
    bool placed = false;
    for (char m : p.mask) {
        if (!isTextSlot(m)) {
            out += m;
        } else if (placed) {
            out += ' ';
        } else {
            char u = upperChar(m);
            out += u == 'Y' ? (b ? 'Y' : 'N') : (b ? 'T' : 'F');
            placed = true;
        }
    }
    return out;
}

}  // namespace

std::string transform(const Value& value, std::string_view picture) {
    const Value& v = value.deref();
    Picture p = parsePicture(picture);
    switch (v.type()) {
        case Type::Number: return transformNumber(v.asNumber(), p);
        case Type::String: return transformText(v.asString(), p);
        case Type::Date: return transformDate(v.asDate(), p);
        case Type::Logical: return transformLogical(v.asLogical(), p);
        default: return std::string();
    }
}

}  // namespace rt
