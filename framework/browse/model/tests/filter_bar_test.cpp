// The header's height as the filter bar comes and goes, and the column a header item's filter belongs to.
#include <gtest/gtest.h>

#include "framework/browse/model/filter_bar.h"

namespace vorpex::browse {
namespace {

TEST(FilterBar, HeaderHeightFollowsTheBar) {
    struct Case {
        const char* name;
        FilterBar before;
        int64_t header;
        bool on;
        int64_t height, plain;
    } cases[] = {
        {"on: half as tall again", {false, 0}, 24, true, 36, 24},
        {"an odd height rounds up", {false, 0}, 25, true, 38, 25},
        {"off again: the plain height", {true, 24}, 36, false, 24, 24},
        {"on twice never grows twice", {true, 24}, 36, true, 36, 24},
        {"off while off keeps a resized header", {false, 24}, 30, false, 30, 30},
        {"on before the height was known", {true, 0}, 24, true, 36, 24},
    };
    for (const Case& c : cases) {
        const FilterSwitch s = switchFilterBar(c.before, c.header, c.on);
        EXPECT_EQ(s.headerHeight, c.height) << c.name;
        EXPECT_EQ(s.bar.plainHeight, c.plain) << c.name;
        EXPECT_EQ(s.bar.on, c.on) << c.name;
    }
}

TEST(FilterBar, ItemsNameDisplayPositions) {
    EXPECT_EQ(filterColumn(2, true), 1);
    EXPECT_EQ(filterColumn(1, true), 0) << "the record selector's item filters nothing";
    EXPECT_EQ(filterColumn(1, false), 1);
    EXPECT_EQ(filterColumn(0, false), 0);
    EXPECT_EQ(filterColumn(-3, true), 0);
}

}  // namespace
}  // namespace vorpex::browse
