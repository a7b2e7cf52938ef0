#include "framework/controls/header/header_rules.h"

namespace vorpex::header {

std::vector<int64_t> renumbered(const std::vector<int64_t>& positions) {
    std::vector<int64_t> result(positions.size());
    for (size_t i = 0; i < positions.size(); ++i) result[i] = positions[i] > 0 ? static_cast<int64_t>(i + 1) : 0;
    return result;
}

namespace {

int64_t alignmentBits(int64_t alignment) {
    return alignment == 2 ? kFmtRight : alignment == 6 ? kFmtCenter : kFmtLeft;
}

}  // namespace

int64_t withSort(int64_t format, int64_t sort) {
    format &= ~(kFmtSortDown | kFmtSortUp);
    if (sort == kSortDescending) format |= kFmtSortDown;
    if (sort == kSortAscending) format |= kFmtSortUp;
    return format;
}

int64_t withAlignment(int64_t format, int64_t alignment) {
    return (format & ~(kFmtRight | kFmtCenter)) | alignmentBits(alignment);
}

int64_t itemFormat(int64_t alignment, bool hasImage, int64_t sort) {
    return withSort(kFmtString | alignmentBits(alignment) | (hasImage ? kFmtImage : 0), sort);
}

int64_t paintBottom(int64_t bottom, bool filterBar) { return filterBar ? bottom * 49 / 100 : bottom; }

Point imageCorner(const Box& item, int64_t imageWidth, int64_t imageHeight, bool hasText) {
    const int64_t y = (item.top + item.bottom - imageHeight) / 2;
    const int64_t x = hasText ? item.left + 3 : (item.left + 3 + item.right - imageWidth) / 2;
    return {x, y};
}

Box textBox(const Box& item, int64_t imageWidth, bool hasImage, bool hasSortArrow) {
    Box b{item.left + 3, item.top, item.right - 6, item.bottom};
    if (hasImage) b.left += imageWidth + 3;
    if (hasSortArrow) b.right -= 16;
    return b;
}

std::array<Point, 3> sortArrow(const Box& item, int64_t sort) {
    const int64_t h = item.bottom - item.top - 5;
    const int64_t y0 = h / 2;
    const int64_t apex = item.right - 11, left = item.right - 16, right = item.right - 6;
    if (sort == kSortAscending) return {Point{apex, y0}, Point{left, y0 + 5}, Point{right, y0 + 5}};
    return {Point{left, y0}, Point{right, y0}, Point{apex, y0 + 5}};
}

}  // namespace vorpex::header
