// The header's decisions without windows: positions after insertions and deletions, format flags, and the
// places of an item's image, text and sort arrow.
#include <gtest/gtest.h>

#include "framework/controls/header/header_rules.h"

namespace vorpex::header {
namespace {

TEST(HeaderRules, PlacedItemsTakeTheirPlaceInTheList) {
    struct Case {
        std::vector<int64_t> before, after;
    } cases[] = {
        {{1, 2, 3}, {1, 2, 3}},
        {{1, 2, 2, 3}, {1, 2, 3, 4}},  // inserted at 2: the old second and third move on
        {{1, 3}, {1, 2}},              // the second deleted: the third becomes the second
        {{4, 0, 1}, {1, 0, 3}},        // an unplaced item stays unplaced
        {{}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(renumbered(c.before), c.after);
}

TEST(HeaderRules, FormatFlags) {
    struct Case {
        int64_t alignment;
        bool image;
        int64_t sort, format;
    } cases[] = {
        {0, false, 0, kFmtString},
        {2, false, 0, kFmtString | kFmtRight},
        {6, true, 0, kFmtString | kFmtCenter | kFmtImage},
        {9, false, 1, kFmtString | kFmtSortUp},
        {0, false, -1, kFmtString | kFmtSortDown},
    };
    for (const Case& c : cases) EXPECT_EQ(itemFormat(c.alignment, c.image, c.sort), c.format) << c.alignment;
    // Changing one part keeps the others: an arrow survives a new alignment, an alignment a new arrow.
    EXPECT_EQ(withAlignment(kFmtString | kFmtSortUp | kFmtCenter, 2), kFmtString | kFmtSortUp | kFmtRight);
    EXPECT_EQ(withSort(kFmtString | kFmtSortUp | kFmtCenter, -1), kFmtString | kFmtSortDown | kFmtCenter);
    EXPECT_EQ(withSort(kFmtString | kFmtSortDown | kFmtImage, 0), kFmtString | kFmtImage);
}

TEST(HeaderRules, ItemGeometry) {
    const Box item{100, 0, 200, 24};
    EXPECT_EQ(paintBottom(24, false), 24);
    EXPECT_EQ(paintBottom(40, true), 19);  // the filter takes the lower half
    EXPECT_EQ(imageCorner(item, 16, 16, true), (Point{103, 4}));
    EXPECT_EQ(imageCorner(item, 16, 16, false), (Point{143, 4}));  // centred across without a text
    EXPECT_EQ(textBox(item, 16, false, false), (Box{103, 0, 194, 24}));
    EXPECT_EQ(textBox(item, 16, true, true), (Box{122, 0, 178, 24}));
    // h = 24 - 5 = 19, y0 = 9.
    EXPECT_EQ(sortArrow(item, 1), (std::array<Point, 3>{Point{189, 9}, Point{184, 14}, Point{194, 14}}));
    EXPECT_EQ(sortArrow(item, -1), (std::array<Point, 3>{Point{184, 9}, Point{194, 9}, Point{189, 14}}));
}

}  // namespace
}  // namespace vorpex::header
