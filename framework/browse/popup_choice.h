// A pop-up menu of plain choices shown at a screen point, answering the 1-based choice (0 for none). Tests
// answer it through the chooser seam instead of a modal menu loop. Windows only.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/browse/model/column_menu.h"

namespace vorpex::browse {

int64_t choosePopup(intptr_t owner, const std::vector<MenuChoice>& choices, int64_t x, int64_t y);

using PopupChooser = std::function<int64_t(const std::vector<MenuChoice>&)>;
// Replaces the menu loop (an empty chooser restores it).
void setPopupChooser(PopupChooser chooser);

}  // namespace vorpex::browse
