#include "sheet.h"

#include <cctype>

namespace xl {

namespace {

constexpr int kMaxColumns = 16384;
constexpr int kMaxRows = 1048576;

template <class T>
void overlay(std::optional<T>& base, const std::optional<T>& over) {
    if (over) base = over;
}

// Letters then digits ("B12"), letters alone ("B"); false for anything else.
bool parseCorner(std::string_view text, int& row, int& column) {
    size_t letters = 0;
    while (letters < text.size() && std::isalpha(static_cast<unsigned char>(text[letters]))) ++letters;
    column = columnNumber(text.substr(0, letters));
    if (column == 0) return false;
    row = 0;
    for (size_t i = letters; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        row = row * 10 + (text[i] - '0');
        if (row > kMaxRows) return false;
    }
    return letters == text.size() || row > 0;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

Format Format::overlaidBy(const Format& over) const {
    Format f = *this;
    overlay(f.bold, over.bold);
    overlay(f.size, over.size);
    overlay(f.fillColor, over.fillColor);
    overlay(f.alignment, over.alignment);
    overlay(f.numberFormat, over.numberFormat);
    return f;
}

int columnNumber(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return 0;
    int n = 0;
    for (char ch : letters) {
        if (!std::isalpha(static_cast<unsigned char>(ch))) return 0;
        n = n * 26 + (std::toupper(static_cast<unsigned char>(ch)) - 'A' + 1);
    }
    return n <= kMaxColumns ? n : 0;
}

std::string columnLetters(int column) {
    std::string letters;
    for (; column > 0; column = (column - 1) / 26) letters.insert(letters.begin(), char('A' + (column - 1) % 26));
    return letters;
}

std::string cellName(int row, int column) { return columnLetters(column) + std::to_string(row); }

std::optional<Area> parseArea(std::string_view text) {
    const size_t colon = text.find(':');
    std::string_view first = text.substr(0, colon);
    std::string_view second = colon == std::string_view::npos ? first : text.substr(colon + 1);
    Area a;
    if (!parseCorner(first, a.top, a.left) || !parseCorner(second, a.bottom, a.right)) return std::nullopt;
    if ((a.top == 0) != (a.bottom == 0)) return std::nullopt;
    if (a.top > a.bottom) std::swap(a.top, a.bottom);
    if (a.left > a.right) std::swap(a.left, a.right);
    return a;
}

const Cell* Sheet::cell(int row, int column) const {
    auto it = cells_.find({row, column});
    return it == cells_.end() ? nullptr : &it->second;
}

void Sheet::setValue(const Area& area, const CellValue& value) {
    if (area.wholeColumns()) return;  // the members used never write whole columns
    for (int r = area.top; r <= area.bottom; ++r)
        for (int c = area.left; c <= area.right; ++c) cells_[{r, c}].value = value;
}

void Sheet::merge(const Area& area, bool across) {
    if (area.wholeColumns()) return;
    if (!across) {
        merges_.push_back(area);
        return;
    }
    for (int r = area.top; r <= area.bottom; ++r) merges_.push_back({r, area.left, r, area.right});
}

int Sheet::paste(int row, int column, std::string_view text) {
    std::vector<std::string_view> lines = split(text, "\r\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = split(lines[i], "\t");
        for (size_t j = 0; j < fields.size(); ++j) {
            const std::pair<int, int> at{row + static_cast<int>(i), column + static_cast<int>(j)};
            if (fields[j].empty()) {
                if (auto it = cells_.find(at); it != cells_.end()) it->second.value = CellValue{};
                continue;
            }
            cells_[at].value = CellValue{CellValue::Kind::Text, std::string(fields[j]), 0};
        }
    }
    return static_cast<int>(lines.size());
}

Format Sheet::effectiveFormat(int row, int column) const {
    Format f;
    if (auto it = columns_.find(column); it != columns_.end()) f = it->second.format;
    if (const Cell* c = cell(row, column)) f = f.overlaidBy(c->format);
    return f;
}

}  // namespace xl
