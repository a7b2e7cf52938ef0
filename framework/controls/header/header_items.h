// The native side of header items, addressed by the header's window and the item's 1-based position: insert,
// change, read back, sort arrow, rectangle and text filter. The callable XHEADER_ITEM* functions are built on
// these. Windows only; handles cross as integers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/controls/header/header_rules.h"

namespace vorpex::header {

struct ItemSpec {
    std::string text;
    int64_t alignment = 0, width = 50, image = 0, sort = 0;
    std::string filter;
};
// Inserts at `position` (1-based); answers the position the item got, 0 on failure.
int64_t insertItem(intptr_t window, int64_t position, const ItemSpec& item);

// Only the parts given change.
struct ItemChange {
    std::optional<std::string> text;
    std::optional<int64_t> alignment, width, image, order;
    std::optional<std::string> filter;
};
// Answers the window's answer + 1 (0 on failure).
int64_t setItem(intptr_t window, int64_t position, const ItemChange& change);
// -1 when the item cannot be read.
int64_t itemWidth(intptr_t window, int64_t position);
int64_t itemOrder(intptr_t window, int64_t position);  // 1-based
int64_t itemFormat(intptr_t window, int64_t position);  // -1 when the item cannot be read
int64_t setItemSort(intptr_t window, int64_t position, int64_t sort);
std::optional<Box> itemRect(intptr_t window, int64_t position);
// A non-empty text sets the item's text filter, an empty one clears it.
void setItemFilter(intptr_t window, int64_t position, const std::string& filter);
// The item's text filter; nullopt when the control keeps no filters (a header without filter support, as
// Wine's, answers the read without filling the text in).
std::optional<std::string> itemFilter(intptr_t window, int64_t position);

void registerHeaderFunctions();

}  // namespace vorpex::header
