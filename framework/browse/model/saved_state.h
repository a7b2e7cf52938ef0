// The saved layout of a grid: the fixed row height, then per column (in column order) its identity, width and
// shown ("S") or hidden ("H") flag, as "0;1:60:S;2:80:H". Reading one back applies what it lists; a damaged
// text never loses a column nor lists one twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorpex::browse {

struct ColumnState {
    int64_t index = 0;  // the column's identity (nIndex)
    int64_t width = 0;
    bool visible = true;
    bool operator==(const ColumnState&) const = default;
};

std::string saveState(int64_t rowHeight, const std::vector<ColumnState>& columns);

struct RestoredState {
    int64_t rowHeight = 0;
    // The columns with the widths and flags the text gave them, in their new order.
    std::vector<ColumnState> columns;
    // For each new place, the column's place before.
    std::vector<size_t> order;
};

// Nothing for an empty text or no columns. When an item is missing or empty (a layout saved with fewer
// columns) the items before it are applied and the order stays; a complete text also orders the columns as it
// lists them. Items naming no column, naming one a second time or not of the form index:width:S|H are
// skipped; columns it does not list keep their place after the listed ones.
std::optional<RestoredState> restoreState(std::string_view text, const std::vector<ColumnState>& columns);

}  // namespace vorpex::browse
