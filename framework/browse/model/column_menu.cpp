#include "framework/browse/model/column_menu.h"

#include <algorithm>

namespace vorpex::browse {

std::vector<MenuChoice> columnMenu(const std::vector<MenuColumn>& columns) {
    const auto displayed = std::count_if(columns.begin(), columns.end(), [](const MenuColumn& c) { return c.displayed; });
    std::vector<MenuChoice> choices;
    for (const MenuColumn& c : columns) choices.push_back({c.header, c.visible, !(displayed == 1 && c.displayed)});
    return choices;
}

}  // namespace vorpex::browse
