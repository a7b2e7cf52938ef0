#include "framework/graphics/font/font_record.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vorpex::gfx {

namespace {

std::string numberText(double n) {
    if (n == std::floor(n) && std::fabs(n) < 1e15) return std::to_string(static_cast<int64_t>(n));
    std::string s = std::to_string(n);
    s.erase(s.find_last_not_of('0') + 1);
    return s;
}

const char* flagText(bool b) { return b ? ".T." : ".F."; }

// The numeric value of a saved field: a leading number, else 0.
double numberOf(std::string_view field) {
    std::string s(field);
    return std::strtod(s.c_str(), nullptr);
}

std::vector<std::string_view> splitAll(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

}  // namespace

int64_t mulDiv(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return -1;
    const long double exact = static_cast<long double>(a) * static_cast<long double>(b) / static_cast<long double>(c);
    const long double rounded = exact < 0 ? -std::floor(-exact + 0.5L) : std::floor(exact + 0.5L);
    if (rounded > std::numeric_limits<int32_t>::max() || rounded < std::numeric_limits<int32_t>::min()) return -1;
    return static_cast<int64_t>(rounded);
}

int64_t sizeToHeight(double size, int64_t logPixelsY) {
    if (logPixelsY <= 0) return 0;
    return -mulDiv(static_cast<int64_t>(size), logPixelsY, 72);
}

int64_t heightToSize(int64_t height, int64_t logPixelsY) {
    if (logPixelsY <= 0) return 0;
    return mulDiv(height < 0 ? -height : height, 72, logPixelsY);
}

LogFont makeLogFont(FontFields& f, const FontDevice& device) {
    f.bold = f.weight > 699;
    LogFont lf;
    lf.faceName = f.name.substr(0, kMaxFaceName);
    lf.escapement = f.orientation;
    lf.orientation = f.orientation;
    lf.weight = f.weight;
    lf.italic = (f.style & kStyleItalic) != 0;
    lf.underline = (f.style & kStyleUnderline) != 0;
    lf.strikeOut = (f.style & kStyleStrikeOut) != 0;
    lf.charSet = f.charSet;
    if (f.size != 0) {
        const int64_t size = static_cast<int64_t>(f.size);
        if (device.printer) {
            f.height = device.logPixelsY > 0 ? -mulDiv(size, device.logPixelsY, 72) : 0;
        } else {
            const int64_t scale = device.fontScale == 0 ? 100 : device.fontScale;
            f.height = device.logPixelsY > 0 ? -mulDiv(size, device.logPixelsY * scale, 7200) : 0;
            if (scale != 100) lf.outPrecision = 7;  // OUT_TT_ONLY_PRECIS
        }
        f.width = 0;
    }
    lf.height = f.height;
    lf.width = f.width;
    return lf;
}

std::string saveToText(const FontFields& f) {
    std::string out = f.name;
    for (double n : {f.size, double(f.width), double(f.height), double(f.style), double(f.weight),
                     double(f.orientation)})
        out += "," + numberText(n);
    for (bool b : {f.bold, f.italic, f.underline, f.strikeOut}) out += std::string(",") + flagText(b);
    out += "," + numberText(double(f.charSet));
    return out;
}

std::optional<FontFields> restoreFromText(std::string_view text) {
    constexpr size_t kFields = 12;
    std::vector<std::string_view> parts = splitAll(text);
    if (parts.size() < kFields) return std::nullopt;
    // Everything before the last eleven fields is the face name, commas and all.
    const size_t tail = parts.size() - (kFields - 1);
    const size_t nameEnd = static_cast<size_t>(parts[tail].data() - text.data()) - 1;
    FontFields f;
    f.name = std::string(text.substr(0, nameEnd));
    f.size = numberOf(parts[tail]);
    f.width = static_cast<int64_t>(numberOf(parts[tail + 1]));
    f.height = static_cast<int64_t>(numberOf(parts[tail + 2]));
    f.style = static_cast<int64_t>(numberOf(parts[tail + 3]));
    f.weight = static_cast<int64_t>(numberOf(parts[tail + 4]));
    f.orientation = static_cast<int64_t>(numberOf(parts[tail + 5]));
    f.bold = parts[tail + 6] == ".T.";
    f.italic = parts[tail + 7] == ".T.";
    f.underline = parts[tail + 8] == ".T.";
    f.strikeOut = parts[tail + 9] == ".T.";
    f.charSet = static_cast<int64_t>(numberOf(parts[tail + 10]));
    return f;
}

bool sameFont(const FontFields& a, const FontFields& b) {
    return a.name == b.name && a.width == b.width && a.height == b.height && a.style == b.style &&
           a.weight == b.weight && a.orientation == b.orientation;
}

std::vector<std::string> fontNames(const std::vector<FontEntry>& entries, int64_t mask, bool sorted) {
    std::vector<std::string> names;
    for (const FontEntry& e : entries) {
        if ((e.type & mask) == 0) continue;
        if (std::find(names.begin(), names.end(), e.name) != names.end()) continue;
        names.push_back(e.name);
    }
    if (sorted) std::sort(names.begin(), names.end());
    return names;
}

}  // namespace vorpex::gfx
