// The column menu: one item per column, checked while visible, and the last column on screen never hidable.
#include <gtest/gtest.h>

#include "framework/browse/model/column_menu.h"

namespace vorpex::browse {
namespace {

TEST(ColumnMenu, ChecksVisibleColumnsAndKeepsTheLastOneOnScreen) {
    EXPECT_EQ(columnMenu({{"Número", true, true}, {"Nombre", true, true}, {"Baja", false, false}}),
              (std::vector<MenuChoice>{{"Número", true, true}, {"Nombre", true, true}, {"Baja", false, true}}));
    EXPECT_EQ(columnMenu({{"Número", true, true}, {"Nombre", false, false}}),
              (std::vector<MenuChoice>{{"Número", true, false}, {"Nombre", false, true}}))
        << "the only displayed column is disabled";
    EXPECT_TRUE(columnMenu({}).empty());
}

}  // namespace
}  // namespace vorpex::browse
