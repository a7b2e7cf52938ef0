// What a grid's keyboard and mouse input means, as arithmetic over its geometry: the characters that may start
// an edit or a search, the screen row and display position under a point, the row lines of the record
// selector that start a row-height drag and the height such a drag gives, the editor a Tab moves to, and where
// a search hit lands on the screen. Tested natively; the grid window applies the answers.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "framework/browse/model/column_layout.h"
#include "framework/browse/model/row_source.h"

namespace vorpex::browse {

// Characters besides letters and digits that typing accepts (Windows-1252).
bool isSpecialChar(unsigned char c);
// A letter, a digit or one of the special characters.
bool isTypingChar(unsigned char c);

struct RowGeometry {
    int64_t firstDataRow = 0;  // y of the first data row
    int64_t pitch = 0;         // nIntRowHeight
    int64_t dataRows = 0;      // rows the last paint drew
};

// The screen row (1-based) under y; 0 above the first data row or below the painted rows.
int64_t mouseRowPos(const RowGeometry& rows, int64_t y);
// The display position under x; -1 left of the first data column or with no columns, 0 right of the last one.
int64_t mouseColPos(const std::vector<Placed>& placed, int64_t firstCol, int64_t x);
// The row k whose bottom line lies within one pixel of y (k = 1 .. dataRows); 0 for none.
int64_t rowLineAt(const RowGeometry& rows, int64_t y);

// The height a row-height drag released at y gives a row whose top is rowTop, in a grid brwHeight high:
// at least 20 pixels, and leaving 20 below the row.
int64_t draggedRowHeight(int64_t y, int64_t rowTop, int64_t brwHeight);
// The guide line of a drag may move to y: below the row's top + 20 and above brwHeight - 20.
bool guideMayMoveTo(int64_t y, int64_t rowTop, int64_t brwHeight);

// The next editor a whole-row edit moves to from column `from` (0-based in column order): the next eligible
// one after it, wrapping to the first (backwards: the previous one, wrapping to the last); none when no other
// column is eligible and `from` itself is not.
std::optional<size_t> nextEditor(const std::vector<bool>& eligible, size_t from, bool backward);

// The screen row a search hit takes: the walk goes from the current row (shown at rowSel) to the first
// screen row and down over dataRows rows looking for `found`. Answers the screen row where it was met
// (the source is left there), or 0 when it is off screen (the source is left on `found`).
int64_t screenRowOf(RowSource& source, const rt::Value& found, int64_t rowSel, int64_t dataRows);
// For a hit off screen: the screen row it can be shown on, at most rowSel, limited by the rows above it.
int64_t rowSelFor(RowSource& source, int64_t rowSel);

}  // namespace vorpex::browse
