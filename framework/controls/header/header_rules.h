// The header's decisions, apart from windows: item positions after an insertion or a deletion, the format
// flags of an item, and where an item's image, text and sort arrow are painted.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorpex::header {

inline constexpr int64_t kFmtLeft = 0, kFmtRight = 1, kFmtCenter = 2, kFmtImage = 0x800, kFmtString = 0x4000,
                         kFmtSortDown = 0x200, kFmtSortUp = 0x400;
inline constexpr int64_t kSortNone = 0, kSortAscending = 1, kSortDescending = -1;

// The 1-based positions items have after their list changed: a placed item (position above 0) takes its
// place in the list, an unplaced one stays at 0.
std::vector<int64_t> renumbered(const std::vector<int64_t>& positions);

// The format bits of an item: text, the alignment (2 right, 6 centre, else left), the image when there is one,
// the sort arrow (1 up, -1 down).
int64_t itemFormat(int64_t alignment, bool hasImage, int64_t sort);
// The format with the sort arrow changed and everything else kept.
int64_t withSort(int64_t format, int64_t sort);
// The format with the alignment changed and everything else (image, sort arrow) kept.
int64_t withAlignment(int64_t format, int64_t alignment);

struct Box {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};
struct Point {
    int64_t x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// The bottom used by an item's painting: the lower half belongs to the filter with a filter bar.
int64_t paintBottom(int64_t bottom, bool filterBar);
// The image's top-left corner: centred vertically; at left + 3, or centred across when there is no text.
Point imageCorner(const Box& item, int64_t imageWidth, int64_t imageHeight, bool hasText);
// The text's box before it is measured: after the image, short of the sort arrow.
Box textBox(const Box& item, int64_t imageWidth, bool hasImage, bool hasSortArrow);
// The sort arrow's triangle (apex first for ascending; base first for descending).
std::array<Point, 3> sortArrow(const Box& item, int64_t sort);

}  // namespace vorpex::header
