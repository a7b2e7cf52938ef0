#include "framework/browse/model/cell_rules.h"

#include <algorithm>

namespace vorpex::browse {

namespace {

constexpr int64_t kMinimumPitch = 18;
bool engraved(int64_t style) { return style == kInset || style == kRaised; }
bool plainLines(int64_t style) { return style >= kBlack && style <= kLightGray; }
int64_t lineWidth(int64_t style) { return style == kNoLines ? 0 : engraved(style) ? 2 : 1; }
constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

}  // namespace

int64_t rowPitch(int64_t contentHeight, int64_t dataLines, int64_t rowDividerStyle) {
    return std::max(contentHeight * std::max<int64_t>(dataLines, 1) + 4, kMinimumPitch) + lineWidth(rowDividerStyle);
}

int64_t rowPitch(int64_t fixedHeight, int64_t contentHeight, int64_t dataLines, int64_t rowDividerStyle) {
    if (fixedHeight > 0) return std::max(fixedHeight, kMinimumPitch);
    return rowPitch(contentHeight, dataLines, rowDividerStyle);
}

int64_t cellHeight(int64_t pitch, int64_t rowDividerStyle) { return pitch - lineWidth(rowDividerStyle); }

std::optional<uint32_t> dividerColor(int64_t style, uint32_t textColor) {
    switch (style) {
        case kBlack: return rgb(0, 0, 0);
        case kDarkGray: return rgb(128, 128, 128);
        case kForeColor: return textColor;
        case kLightGray: return rgb(192, 192, 192);
        case kInset:
        case kRaised: return rgb(199, 197, 198);
        default: return std::nullopt;
    }
}

int64_t dataAlignment(int64_t alignment) { return alignment & 15; }

int64_t headerAlignment(int64_t alignment) {
    if (alignment & 16) return 0;
    if (alignment & 32) return 2;
    if (alignment & 64) return 6;
    return dataAlignment(alignment);
}

int64_t cellTextStyle(int64_t alignment, bool severalLines) {
    constexpr int64_t kNoPrefix = 0x800, kEditControl = 0x2000, kRight = 2, kCenter = 1, kWordBreak = 0x10,
                      kSingleLine = 0x20, kVCenter = 4;
    int64_t style = kNoPrefix | kEditControl | kModifyString;
    const int64_t data = dataAlignment(alignment);
    if (data == 2) style |= kRight;
    if (data == 6) style |= kCenter;
    return style | (severalLines ? kWordBreak : kSingleLine | kVCenter);
}

int64_t computedWidth(const WidthMeasures& m, bool autoOrder) {
    int64_t w = 0;
    if (m.header) w = *m.header + 10 + (autoOrder ? 30 : 0);  // room for the sort arrow
    if (m.footer) w = std::max(w, *m.footer + 10);
    return std::max(w, m.data) + 6;
}

int64_t clampedWidth(int64_t width) { return std::max<int64_t>(width, 10); }

int64_t dataWidth(int64_t textWidth, std::optional<int64_t> imageWidth, int64_t bmpMargin) {
    return textWidth + 10 + (imageWidth ? *imageWidth + bmpMargin : 0);
}

Rect cellRect(const CellGeometry& g, int64_t top, int64_t height) {
    Rect r{g.x, top, g.x + g.width - 2 + (g.colStyle == kNoLines ? 1 : 0), top + height};
    if (plainLines(g.colStyle) && g.position > 1) --r.left;
    return r;
}

Rect contentBox(const Rect& cell) { return {cell.left + 3, cell.top + 2, cell.right - 3, cell.bottom - 2}; }

Rect eraseRect(const CellGeometry& g, int64_t top, int64_t height, bool whole) {
    Rect r{g.x, top, g.x + g.width, top + height};
    if (g.colStyle != kNoLines && g.dividerComplete) r.right -= lineWidth(g.colStyle);
    if (plainLines(g.colStyle) && g.position > 1) --r.left;
    if (!whole) r.bottom -= lineWidth(g.rowStyle);
    r.right = std::min(r.right, g.lastCol);
    return r;
}

Rect cursorRect(const CellGeometry& g, int64_t top, int64_t height, int cursorStyle) {
    int64_t x = g.x, w = g.width;
    if (g.position > 1 && g.colStyle < kInset) {
        --x;
        ++w;
    }
    if (cursorStyle == 1) return {x, top, std::min(g.lastCol - 1, x + w - 2), top + height};
    return {x, top, std::min(g.lastCol - 1, x + w - 3), top + height - 1};
}

Rect editorBounds(const CellGeometry& g, const EditorPlace& p) {
    int64_t row = p.rowSel - 1;
    if (p.appending && p.phantomRow > 0) row = (p.dataRows == 0 && p.rowSel == 1) ? 0 : p.rowSel;
    int64_t x = g.x, w = g.width - 2, h = p.pitch - 2;
    const int64_t y = row * p.pitch + p.headerHeight;
    if (plainLines(g.colStyle) && g.position > 1) {
        --x;
        ++w;
    }
    if (g.colStyle == kNoLines) ++w;
    if (g.rowStyle < kInset) ++h;
    if (g.rowStyle == kNoLines) ++h;
    return {x, y, x + w, y + h};
}

std::string extractLine(std::string_view text, int64_t& start) {
    const auto length = static_cast<int64_t>(text.size());
    if (start < 1) start = 1;
    if (start > length) {
        start = length + 1;
        return {};
    }
    const size_t from = static_cast<size_t>(start - 1);
    const size_t end = text.find("\r\n", from);
    if (end == std::string_view::npos) {
        start = length + 1;
        return std::string(text.substr(from));
    }
    start = static_cast<int64_t>(end) + 3;
    return std::string(text.substr(from, end - from));
}

int64_t selectorWidth(int64_t width, std::optional<int64_t> measured, int64_t headerHeight) {
    if (width != 0) return width;
    return measured ? *measured + 6 : headerHeight;  // nothing measured: a square selector
}

Rect selectorTextBox(int64_t width, int64_t top, int64_t height, bool recordPointer) {
    const int64_t w = width - 4 - (recordPointer ? kPointerSize : 0) - 6;
    return {3, top + 2, 3 + w, top + height - 2};
}

Point selectorPointer(int64_t width, const Rect& textBox) {
    return {width - 17, textBox.top + (textBox.bottom - textBox.top) / 2 - 8};
}

}  // namespace vorpex::browse
