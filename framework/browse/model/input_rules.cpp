#include "framework/browse/model/input_rules.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vorpex::browse {

namespace {

// Two blanks open and close the set; the rest are Windows-1252 bytes.
constexpr std::string_view kSpecialChars =
    " .:,;-_\xBF\xA1'?=)(/&%$!\xBA\xAA*\xC7\xE7\xA8{}\\|@#[]+<> ";

constexpr int64_t kMinRowHeight = 20;

}  // namespace

bool isSpecialChar(unsigned char c) { return c != 0 && kSpecialChars.find(static_cast<char>(c)) != std::string_view::npos; }

bool isTypingChar(unsigned char c) { return (c < 128 && std::isalnum(c)) || isSpecialChar(c); }

int64_t mouseRowPos(const RowGeometry& rows, int64_t y) {
    if (rows.pitch <= 0 || y < rows.firstDataRow) return 0;
    const int64_t row = (y - rows.firstDataRow) / rows.pitch + 1;
    return row <= rows.dataRows ? row : 0;
}

int64_t mouseColPos(const std::vector<Placed>& placed, int64_t firstCol, int64_t x) {
    if (placed.empty() || x < firstCol) return -1;
    for (size_t i = 0; i < placed.size(); ++i)
        if (x >= placed[i].x && x < placed[i].right()) return static_cast<int64_t>(i) + 1;
    return 0;
}

int64_t rowLineAt(const RowGeometry& rows, int64_t y) {
    for (int64_t k = 1; k <= rows.dataRows; ++k) {
        const int64_t line = k * rows.pitch + rows.firstDataRow;
        if (y >= line - 1 && y <= line + 1) return k;
    }
    return 0;
}

int64_t draggedRowHeight(int64_t y, int64_t rowTop, int64_t brwHeight) {
    return std::max(std::min(std::max(y - rowTop, kMinRowHeight), brwHeight - rowTop - kMinRowHeight),
                    kMinRowHeight);
}

bool guideMayMoveTo(int64_t y, int64_t rowTop, int64_t brwHeight) {
    return y > rowTop + kMinRowHeight && y < brwHeight - kMinRowHeight;
}

std::optional<size_t> nextEditor(const std::vector<bool>& eligible, size_t from, bool backward) {
    const size_t n = eligible.size();
    for (size_t step = 1; step <= n; ++step) {
        const size_t i = backward ? (from + n * 2 - step) % n : (from + step) % n;
        if (eligible[i]) return i;
    }
    return std::nullopt;
}

int64_t screenRowOf(RowSource& source, const rt::Value& found, int64_t rowSel, int64_t dataRows) {
    source.skip(1 - rowSel);
    for (int64_t k = 1; k <= dataRows; ++k) {
        if (source.bookmark().sameAs(found)) return k;
        if (k < dataRows && source.skip(1) == 0) break;
    }
    source.gotoBookmark(found);
    return 0;
}

int64_t rowSelFor(RowSource& source, int64_t rowSel) {
    const int64_t above = rowSel > 1 ? -source.skip(-(rowSel - 1)) : 0;
    source.skip(above);
    return above + 1;
}

}  // namespace vorpex::browse
