#include "framework/browse/popup_choice.h"

#include <windows.h>

namespace vorpex::browse {

namespace {

PopupChooser& chooser() {
    static PopupChooser c;
    return c;
}

}  // namespace

void setPopupChooser(PopupChooser c) { chooser() = std::move(c); }

int64_t choosePopup(intptr_t owner, const std::vector<MenuChoice>& choices, int64_t x, int64_t y) {
    if (chooser()) return chooser()(choices);
    HMENU menu = CreatePopupMenu();
    if (!menu) return 0;
    UINT id = 1;
    for (const MenuChoice& c : choices)
        AppendMenuA(menu, MF_STRING | (c.checked ? MF_CHECKED : 0) | (c.enabled ? 0 : MF_GRAYED), id++, c.text.c_str());
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, static_cast<int>(x),
                                      static_cast<int>(y), 0, reinterpret_cast<HWND>(owner), nullptr);
    DestroyMenu(menu);
    return chosen;
}

}  // namespace vorpex::browse
