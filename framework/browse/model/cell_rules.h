// The geometry and flags a grid's cells are painted with: row pitch, column alignment and text style, the
// computed column width, the cell, erase and cursor rectangles, the in-cell editor's bounds, and the record
// selector's width, text box and pointer. Pure functions, tested natively; the window classes only draw.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorpex::browse {

// Grid line styles (nRowDividerStyle, nColDividerStyle).
enum DividerStyle : int64_t { kNoLines = 0, kBlack = 1, kDarkGray = 2, kForeColor = 3, kLightGray = 4, kInset = 5,
                              kRaised = 6 };
// Cursor styles (nMarqueeStyle).
enum MarqueeStyle : int64_t { kNoMarquee = 0, kDottedCell = 1, kSolidCell = 2, kHighlightCell = 3,
                              kHighlightRowRc = 4, kHighlightRow = 5, kHighlightRowMulti = 6 };

struct Rect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

// ---- rows
// Pitch of a computed row: the content height per text line, at least 18, plus the row line(s).
int64_t rowPitch(int64_t contentHeight, int64_t dataLines, int64_t rowDividerStyle);
// Pitch with a fixed nRowHeight (> 0), else the computed one.
int64_t rowPitch(int64_t fixedHeight, int64_t contentHeight, int64_t dataLines, int64_t rowDividerStyle);
// The painted height of a cell: the pitch less its row line(s).
int64_t cellHeight(int64_t pitch, int64_t rowDividerStyle);
// The RGB of a divider pen (style 3 draws in the text colour); nullopt for no lines.
std::optional<uint32_t> dividerColor(int64_t style, uint32_t textColor);

// ---- columns
int64_t dataAlignment(int64_t alignment);    // 0 left, 2 right, 6 centre
int64_t headerAlignment(int64_t alignment);  // the header's own bits (16, 32, 64) when set, else the data's
// DrawText flags of a cell (DT_MODIFYSTRING included, as the column reports them; never passed to DrawText).
int64_t cellTextStyle(int64_t alignment, bool severalLines);
constexpr int64_t kModifyString = 0x10000;

struct WidthMeasures {
    std::optional<int64_t> header = std::nullopt, footer = std::nullopt;  // text widths of non-empty texts
    int64_t data = 0;                       // DataWidth()
};
int64_t computedWidth(const WidthMeasures& m, bool autoOrder);
int64_t clampedWidth(int64_t width);  // at least 10
// DataWidth(): the measured text (or widest line) + 10, plus image width and margin when an image shows.
int64_t dataWidth(int64_t textWidth, std::optional<int64_t> imageWidth, int64_t bmpMargin);

struct CellGeometry {
    int64_t x = 0, width = 0, position = 1;  // nDisplayCol, nWidth, display position
    int64_t colStyle = 0, rowStyle = 0;
    bool dividerComplete = true;
    int64_t lastCol = 0;  // the grid's LastCol()
};
Rect cellRect(const CellGeometry& g, int64_t top, int64_t height);
Rect contentBox(const Rect& cell);
Rect eraseRect(const CellGeometry& g, int64_t top, int64_t height, bool whole);
// The cell cursor: style 1 a focus rectangle, 2 a box, 3 a raised box (over the same rectangle as 2).
Rect cursorRect(const CellGeometry& g, int64_t top, int64_t height, int cursorStyle);

struct EditorPlace {
    int64_t rowSel = 1, pitch = 0, headerHeight = 0, phantomRow = 0, dataRows = 0;
    bool appending = false;
};
Rect editorBounds(const CellGeometry& g, const EditorPlace& p);

// EXTRACTLINE: the text from `start` (1-based) to the next CR LF; `start` moves past it.
std::string extractLine(std::string_view text, int64_t& start);

// ---- record selector
// Width with nWidth 0: measured content + 6, or the header height when nothing was measured.
int64_t selectorWidth(int64_t width, std::optional<int64_t> measured, int64_t headerHeight);
Rect selectorTextBox(int64_t width, int64_t top, int64_t height, bool recordPointer);
struct Point {
    int64_t x = 0, y = 0;
    bool operator==(const Point&) const = default;
};
Point selectorPointer(int64_t width, const Rect& textBox);
constexpr int64_t kPointerSize = 12;

}  // namespace vorpex::browse
