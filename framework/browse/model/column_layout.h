// Which columns a grid shows and where: the frozen columns at the left, then the scrollable ones from the
// first shown (colOffset) while they start inside the client width; the tests of what is (fully) visible;
// the horizontal scroll bar over the visible columns; the column a pixel of that bar or a selection lands on.
// Pure arithmetic over widths, tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorpex::browse {

struct ColumnBox {
    int64_t width = 0;
    bool visible = true;
};

struct Placed {
    size_t column = 0;  // 0-based index into the columns
    int64_t x = 0;      // left edge in client pixels
    int64_t width = 0;
    int64_t right() const { return x + width; }
};

struct LayoutInput {
    int64_t freeze = 0;     // leading visible columns that never scroll
    int64_t colOffset = 1;  // first scrollable column shown, 1-based
    int64_t firstCol = 0;   // x where the columns start (the record selector's width)
    int64_t clientWidth = 0;
};

// The displayed columns, left to right (display position = index + 1).
std::vector<Placed> displayColumns(const std::vector<ColumnBox>& columns, const LayoutInput& in);

class DisplayRow {
public:
    DisplayRow(std::vector<Placed> placed, int64_t firstCol, int64_t dataWidth)
        : placed_(std::move(placed)), firstCol_(firstCol), dataWidth_(dataWidth) {}
    const std::vector<Placed>& placed() const { return placed_; }
    int64_t count() const { return static_cast<int64_t>(placed_.size()); }
    // Position n starts inside the data width (with `full`, ends inside it); false outside 1..count.
    bool isPositionVisible(int64_t n, bool full = false) const;
    // The last position reached walking right edges while they stay within the data width (with `full`, one
    // less when that position sticks out); at least 1.
    int64_t lastPosition(bool full = false) const;
    // firstCol plus the widths of every displayed column (0 with none).
    int64_t width() const;
    // The display position of a column (0-based index), 0 when not displayed.
    int64_t positionOf(size_t column) const;

private:
    std::vector<Placed> placed_;
    int64_t firstCol_ = 0, dataWidth_ = 0;
};

// Every visible column shown in full (true with none).
bool allColumnsVisible(const std::vector<ColumnBox>& columns, const DisplayRow& row, int64_t freeze);
// The last visible column is displayed and shown in full.
bool lastColumnVisible(const std::vector<ColumnBox>& columns, const DisplayRow& row);

struct HorizontalBar {
    int64_t min = 1, max = 0, page = 0, position = 0;
};
HorizontalBar horizontalBar(const std::vector<ColumnBox>& columns, const DisplayRow& row, const LayoutInput& in);

// The first column to show so that columns first..target (1-based, in column order) fit in the data width,
// never beyond target.
int64_t offsetShowing(const std::vector<ColumnBox>& columns, int64_t target, int64_t dataWidth);
// The visible column (1-based among the visible ones) whose running right edge first reaches `pixel`; the
// last one when none does, 0 with none.
int64_t columnAtPixel(const std::vector<ColumnBox>& columns, int64_t pixel);

}  // namespace vorpex::browse
