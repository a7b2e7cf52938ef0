#include "framework/controls/masked_edit/mask_rules.h"

#include "runtime/lib/text.h"

#include <algorithm>
#include <cctype>

#include "framework/core/native/native_args.h"

namespace vorpex::mask {

namespace {

using rt::Value;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
// Letters of the Windows Western code page (1252) too: the program's texts are Spanish ("ñ", "á").
bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || rt::upperChar(c) != rt::lowerChar(c) || c == '\xDF';
}
char upper(char c) { return rt::upperChar(c); }
bool contains(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }
int64_t len(std::string_view s) { return static_cast<int64_t>(s.size()); }
size_t at(int64_t i) { return static_cast<size_t>(i); }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Writes c at i: over the character there when the mask is complex, inserted otherwise; appended past the end.
void put(std::string& t, int64_t i, char c, bool complex) {
    if (i >= len(t))
        t.push_back(c);
    else if (complex)
        t[at(i)] = c;
    else
        t.insert(at(i), 1, c);
}

int64_t clampTo(int64_t i, int64_t high) { return std::clamp<int64_t>(i, 0, high); }

}  // namespace

bool isInputPosition(char m, bool isDate) {
    if (m == '.') return !isDate;
    return contains("!ANXLY9#$*,", m);
}

bool isTypingPosition(char m) { return contains("!ANXLY9#", m); }

bool isComplex(std::string_view mask, bool isDate) {
    if (isDate) return true;
    return std::any_of(mask.begin(), mask.end(), [](char m) { return !isInputPosition(m, false); });
}

std::string dateMask(std::string_view format) {
    std::string m(format);
    for (char& c : m)
        if (contains("yYmMdD", c)) c = '9';
    return m;
}

std::string numberMask(std::string_view strText) {
    const int64_t width = std::max<int64_t>(len(strText), 10);
    const size_t point = strText.find('.');
    if (point == std::string_view::npos) return std::string(at(width), '9');
    std::string m(point, '9');
    m += '.';
    m.append(at(std::max<int64_t>(width - len(m), 0)), '9');
    return m;
}

Picture splitPicture(std::string_view picture, bool isDate, std::string_view dateFormat) {
    Picture p;
    if (!picture.empty() && picture.front() == '@') {
        const size_t blank = picture.find(' ');
        std::string_view f = picture.substr(0, blank);
        for (char c : f) p.function.push_back(upper(c));
        if (blank != std::string_view::npos) p.mask = std::string(trimmed(picture.substr(blank + 1)));
    } else {
        p.mask = std::string(picture);
    }
    if (contains(p.function, 'D')) p.mask = dateMask(dateFormat);
    if (p.function == "@") p.function.clear();
    if (isDate) p.mask.erase(0, p.mask.find_first_not_of(' ') == std::string::npos ? p.mask.size()
                                                                                : p.mask.find_first_not_of(' '));
    p.complex = !p.mask.empty() && isComplex(p.mask, isDate);
    return p;
}

std::string joinPicture(std::string_view function, std::string_view mask) {
    std::string s(function);
    s += ' ';
    s += mask;
    return std::string(trimmed(s));
}

std::string focusedFunction(std::string_view function) {
    std::string f;
    for (char c : function)
        if (c != 'Z') f.push_back(c);
    return f == "@" ? std::string() : f;
}

std::string focusedNumberMask(std::string mask) {
    std::replace_if(mask.begin(), mask.end(), [](char c) { return c == '*' || c == '$'; }, '9');
    std::erase(mask, ',');
    return mask;
}

bool accepts(char m, char ch) {
    switch (m) {
        case 'A': return isLetter(ch);
        case 'N': return isLetter(ch) || isDigit(ch);
        case '9': return isDigit(ch);
        case '#': return isDigit(ch) || contains(" .+-", ch);
        case 'L': return contains("YNTFSVyntfsv", ch);
        case 'Y': return contains("YNyn", ch);
        default: return true;  // "!", "X", "*", "$"
    }
}

Typed typeText(std::string_view text, std::string_view mask, bool complex, int64_t caret, bool selected, char ch,
               int64_t maxLength) {
    Typed r;
    std::string t(text);
    int64_t p = clampTo(caret, len(t));
    while (p < len(mask) && !isTypingPosition(mask[at(p)])) put(t, p, mask[at(p)], complex), ++p;
    if (!mask.empty()) {
        // Past the last position of the mask there is nothing to type into.
        if (p >= len(mask) || !accepts(mask[at(p)], ch)) return r;
        if (mask[at(p)] == '!') ch = upper(ch);
    }
    if (maxLength > 0 && len(t) > maxLength) return r;
    if (selected) {
        r.kind = Typed::ClearSelectionFirst;
        return r;
    }
    put(t, p, ch, complex);
    ++p;
    while (p < len(mask) && !isTypingPosition(mask[at(p)])) put(t, p, mask[at(p)], complex), ++p;
    if (maxLength > 0 && len(t) > maxLength) t.resize(at(maxLength));
    r.kind = Typed::Placed;
    r.text = std::move(t);
    r.caret = std::min(p, len(r.text));
    return r;
}

Typed pasteText(std::string_view text, std::string_view mask, bool complex, int64_t caret, std::string_view pasted,
                int64_t maxLength) {
    Typed r;
    r.text = std::string(text);
    r.caret = caret;
    for (char ch : pasted) {
        const Typed one = typeText(r.text, mask, complex, r.caret, false, ch, maxLength);
        if (one.kind != Typed::Placed) continue;  // a character the position refuses is left out, as when typed
        r.kind = Typed::Placed;
        r.text = one.text;
        r.caret = one.caret;
    }
    return r;
}

Typed typeDate(std::string_view text, std::string_view mask, int64_t selStart, int64_t selEnd, char ch,
               int64_t maxLength) {
    Typed r;
    if (!isDigit(ch) && ch != ' ') return r;
    std::string t(text);
    const int64_t start = clampTo(std::min(selStart, selEnd), len(t));
    const int64_t end = clampTo(std::max(selStart, selEnd), len(t));
    const int64_t limit = maxLength > 0 ? maxLength : len(mask);
    if (start >= limit) return r;
    for (int64_t i = start; i < end; ++i)
        if (isDigit(t[at(i)])) t[at(i)] = ' ';
    auto literal = [&](int64_t i) {
        if (i < len(t)) return !isDigit(t[at(i)]) && t[at(i)] != ' ';
        return i < len(mask) && !isInputPosition(mask[at(i)], true);
    };
    auto write = [&](int64_t i, char c) {
        if (i < len(t))
            t[at(i)] = c;
        else
            t.append(at(i - len(t)), ' '), t.push_back(c);
    };
    int64_t p = start;
    if (literal(p)) {
        if (p >= len(t)) write(p, mask[at(p)]);
        ++p;
    }
    if (p >= limit) return r;
    write(p, ch);
    ++p;
    // A short text gets the mask's separator as it is reached, so the fields stay in their places.
    if (literal(p)) {
        if (p >= len(t)) write(p, mask[at(p)]);
        ++p;
    }
    r.kind = Typed::Placed;
    r.text = std::move(t);
    r.caret = std::min(p, len(r.text));
    return r;
}

NumberKey numberKey(std::string_view text, std::string_view mask, int64_t selStart, int64_t selEnd, char ch,
                    char sep) {
    const int64_t s = clampTo(std::min(selStart, selEnd), len(text));
    const int64_t e = clampTo(std::max(selStart, selEnd), len(text));
    const std::string_view selected = text.substr(at(s), at(e - s));
    const int64_t selLength = len(selected);
    if (ch == '-') {
        const bool outside = contains(text.substr(0, at(s)), '-') || contains(text.substr(at(e)), '-');
        return {s == 0 && !outside ? NumberKey::Accept : NumberKey::Refuse};
    }
    const size_t q = text.find(sep);
    if (ch == sep || ch == '.') {
        if (!mask.empty() && !contains(mask, '.')) return {};
        if (q != std::string_view::npos) {
            if (static_cast<int64_t>(q) < s) return {};
            if (selLength > 0) return {NumberKey::ClearAndRepost};
            return {NumberKey::SelectDecimals, static_cast<int64_t>(q) + 1};
        }
        if (ch == sep) return {NumberKey::Accept};
        return {NumberKey::WriteSeparator, s};
    }
    if (!isDigit(ch)) return {};
    const size_t point = mask.find('.');
    if (point == std::string_view::npos) return {NumberKey::Accept};
    auto positions = [](std::string_view part) {
        return static_cast<int64_t>(std::count_if(part.begin(), part.end(), [](char m) { return m == '9' || m == '#'; }));
    };
    const int64_t integers = positions(mask.substr(0, point)), decimals = positions(mask.substr(point + 1));
    // A minus sign that stays takes no integer place.
    const int64_t sign = !text.empty() && text.front() == '-' && !(s == 0 && e > 0) ? 1 : 0;
    bool ok;
    if (q == std::string_view::npos || contains(selected, sep))
        ok = len(text) - selLength - sign < integers;
    else if (s <= static_cast<int64_t>(q))
        ok = static_cast<int64_t>(q) - selLength - sign < integers;
    else
        ok = len(text) - static_cast<int64_t>(q) - 1 - selLength < decimals;
    return {ok ? NumberKey::Accept : NumberKey::Refuse};
}

Deleted deleteInMask(std::string_view text, std::string_view mask, bool isDate, bool isNumber, int64_t selStart,
                     int64_t selEnd, bool backspace) {
    std::string t(text);
    int64_t s0 = clampTo(std::min(selStart, selEnd), len(t));
    const int64_t e0 = clampTo(std::max(selStart, selEnd), len(t));
    const bool selection = s0 != e0;
    auto isLiteralAt = [&](int64_t i) { return i < len(mask) && !isInputPosition(mask[at(i)], isDate); };
    // Backspace over a literal only moves the caret.
    if (backspace && !selection && s0 > 0 && isLiteralAt(s0 - 1)) return {t, s0 - 1};
    // One-based range [s, e] of the characters to go.
    int64_t s = backspace && !selection && s0 > 0 ? s0 : s0 + 1;
    int64_t e = !backspace && !selection ? e0 + 1 : e0;
    if (backspace && !selection && s0 > 0) e = s0;
    e = std::min(e, len(t));
    int64_t n = e - s + 1;
    const bool single = n == 1 && !selection;
    int64_t k = 0;
    for (int64_t i = s - 1; i < len(t);) {
        if (!isLiteralAt(i + k)) {
            if (n > 0) {
                t.erase(at(i), 1);
                ++k, --n;
            } else {
                ++i;
            }
            continue;
        }
        if (k > 0) {
            // The field keeps its width: blanks before its literal, which counts as one of the characters to go.
            t.insert(at(i), at(k), ' ');
            i += k + 1;
            k = 0;
            --n;
            continue;
        }
        if (single || n <= 0) break;
        // A selected literal stays but counts as one of the characters selected.
        --n;
        ++i;
    }
    if (k > 0 && !isNumber) t.append(at(k), ' ');
    return {t, clampTo(s - 1, len(t))};
}

std::string restoreWidth(std::string_view text, size_t maskLength, int64_t at_) {
    std::string t(text);
    if (t.size() >= maskLength) return t;
    t.insert(at(clampTo(at_, len(t))), maskLength - t.size(), ' ');
    return t;
}

// Every mask character that holds a character of the value rather than a literal of the picture.
constexpr std::string_view kDataPositions = "ANX9#!LY$*";

std::string stripLiterals(std::string_view text, std::string_view mask) {
    std::string padded(text);
    if (padded.size() < mask.size()) padded.append(mask.size() - padded.size(), ' ');
    std::string out;
    for (size_t i = 0; i < padded.size(); ++i)
        if (i >= mask.size() || contains(kDataPositions, mask[i])) out.push_back(padded[i]);
    return rt::rtrim(out);
}

NumberText numberText(std::string_view text, std::string_view function) {
    NumberText r;
    const std::string_view t = trimmed(text);
    r.negative = (contains(function, 'X') && t.size() >= 2 && t.substr(t.size() - 2) == "DB") ||
                 contains(t, '-') || contains(t, '(');
    const bool european = contains(function, 'E');
    for (char c : t) {
        if (european && c == '.') continue;
        if (!european && c == ',') continue;
        if (european && c == ',') c = '.';
        if (isDigit(c) || c == '.') r.digits.push_back(c);
    }
    return r;
}

bool logicalFromText(std::string_view text) {
    const std::string_view t = trimmed(text);
    return t.size() == 1 && contains("YSTVystv", t[0]);
}

std::string dateTextForConversion(std::string_view text, std::string_view function, std::string_view dateFormat) {
    // Only a day-and-month-first text has its first two fields swapped; a year-first one reads as it is.
    const bool yearFirst = !dateFormat.empty() && (dateFormat.front() == 'y' || dateFormat.front() == 'Y');
    if (!contains(function, 'E') || text.size() < 6 || yearFirst) return std::string(text);
    std::string s(text.substr(3, 3));
    s += text.substr(0, 3);
    s += text.substr(6);
    return s;
}

std::string zeroFilled(std::string_view text, int64_t length) {
    std::string t(trimmed(text));
    if (len(t) < length) t.insert(0, at(length - len(t)), '0');
    return t;
}

namespace {

std::string textOf(rt::Args a, size_t i) {
    const Value& v = rt::arg(a, i).deref();
    return v.isString() ? v.asString() : std::string();
}

Value chrCount(rt::Args a) {
    const std::string text = textOf(a, 0), chars = textOf(a, 1);
    return Value(static_cast<int64_t>(
        std::count_if(text.begin(), text.end(), [&](char c) { return contains(chars, c); })));
}

Value hasDigit(rt::Args a) {
    const std::string text = textOf(a, 0);
    return Value(std::any_of(text.begin(), text.end(), isDigit));
}

}  // namespace

void registerMaskFunctions() {
    native::registerCallable("CHRCOUNT", chrCount);
    native::registerCallable("ALGUNDIGITO", hasDigit);
}

}  // namespace vorpex::mask
