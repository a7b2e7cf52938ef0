// The column menu a header's right click opens: one item per column, checked while the column is visible,
// and the only displayed column disabled, so the user can never hide the last column on screen.
#pragma once

#include <string>
#include <vector>

namespace vorpex::browse {

struct MenuColumn {
    std::string header;
    bool visible = true, displayed = false;
};

struct MenuChoice {
    std::string text;
    bool checked = false, enabled = true;
    bool operator==(const MenuChoice&) const = default;
};

std::vector<MenuChoice> columnMenu(const std::vector<MenuColumn>& columns);

}  // namespace vorpex::browse
