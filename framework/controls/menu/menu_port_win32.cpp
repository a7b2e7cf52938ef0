// The menu port over USER32's menus.
#include <windows.h>

#include "framework/controls/menu/menu_port.h"

namespace vorpex::menu {

namespace {

HMENU asMenu(intptr_t h) { return reinterpret_cast<HMENU>(h); }

// The record INSERTMENUITEM and SETMENUITEMINFO fill; `text` must outlive it.
MENUITEMINFOA record(const NativeItem& item, bool insertion, std::string& text) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    const ItemMask mask = itemMask(item, insertion);
    info.fMask = MIIM_STATE | MIIM_TYPE | MIIM_DATA;
    if (mask.id) info.fMask |= MIIM_ID;
    if (mask.subMenu) info.fMask |= MIIM_SUBMENU;
    if (mask.checkMarks) info.fMask |= MIIM_CHECKMARKS;
    info.fType = static_cast<UINT>(item.type);
    info.fState = static_cast<UINT>(item.state);
    info.wID = static_cast<UINT>(item.id);
    info.hSubMenu = asMenu(item.subMenu);
    info.hbmpChecked = reinterpret_cast<HBITMAP>(item.checkedBitmap);
    info.hbmpUnchecked = reinterpret_cast<HBITMAP>(item.uncheckedBitmap);
    text = item.text;
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    return info;
}

// Written as text first when it is to be owner-drawn only, then switched: the native item keeps its text.
// `apply`(info, first) writes the record; the switch is the second write.
template <class Apply>
bool write(const NativeItem& item, bool insertion, Apply apply) {
    std::string text;
    MENUITEMINFOA info = record(item, insertion, text);
    if (!writtenAsTextFirst(item)) return apply(info, true);
    info.fType = MFT_STRING;
    if (!apply(info, true)) return false;
    info.fType = MFT_OWNERDRAW;
    info.fMask = MIIM_TYPE | MIIM_DATA;
    return apply(info, false);
}

class Win32MenuPort final : public MenuPort {
public:
    intptr_t create(bool popup) override {
        return reinterpret_cast<intptr_t>(popup ? CreatePopupMenu() : CreateMenu());
    }
    bool destroy(intptr_t h) override { return h && DestroyMenu(asMenu(h)); }
    bool insert(intptr_t h, int64_t where, bool byPosition, const NativeItem& item) override {
        if (!IsMenu(asMenu(h))) return false;
        return write(item, true, [&](MENUITEMINFOA& info, bool first) {
            // The switch to owner-draw finds the new item by its own id.
            return (first ? InsertMenuItemA(asMenu(h), static_cast<UINT>(where), byPosition, &info)
                          : SetMenuItemInfoA(asMenu(h), info.wID, FALSE, &info)) != FALSE;
        });
    }
    bool update(intptr_t h, int64_t which, bool byPosition, const NativeItem& item) override {
        if (!IsMenu(asMenu(h))) return false;
        return write(item, false, [&](MENUITEMINFOA& info, bool) {
            return SetMenuItemInfoA(asMenu(h), static_cast<UINT>(which), byPosition, &info) != FALSE;
        });
    }
    bool remove(intptr_t h, int64_t which, bool byPosition) override {
        // The submenu of the item stays: its object owns it and destroys it.
        return IsMenu(asMenu(h)) &&
               RemoveMenu(asMenu(h), static_cast<UINT>(which), byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    }
    void enable(intptr_t h, int64_t id, bool enabled) override {
        if (IsMenu(asMenu(h))) EnableMenuItem(asMenu(h), static_cast<UINT>(id), enabled ? MF_ENABLED : MF_GRAYED);
    }
    void check(intptr_t h, int64_t id, bool checked) override {
        if (IsMenu(asMenu(h))) CheckMenuItem(asMenu(h), static_cast<UINT>(id), checked ? MF_CHECKED : MF_UNCHECKED);
    }
    void hilite(intptr_t window, intptr_t h, int64_t id, bool on) override {
        if (IsWindow(reinterpret_cast<HWND>(window)) && IsMenu(asMenu(h)))
            HiliteMenuItem(reinterpret_cast<HWND>(window), asMenu(h), static_cast<UINT>(id),
                           MF_BYCOMMAND | (on ? MF_HILITE : MF_UNHILITE));
    }
    void setDefault(intptr_t h, int64_t id) override {
        if (IsMenu(asMenu(h))) SetMenuDefaultItem(asMenu(h), static_cast<UINT>(id), FALSE);
    }
    int64_t state(intptr_t h, int64_t id) override {
        if (!IsMenu(asMenu(h))) return 0;
        const UINT s = GetMenuState(asMenu(h), static_cast<UINT>(id), MF_BYCOMMAND);
        return s == static_cast<UINT>(-1) ? 0 : s;
    }
    void drawMenuBar(intptr_t window) override {
        if (IsWindow(reinterpret_cast<HWND>(window))) DrawMenuBar(reinterpret_cast<HWND>(window));
    }
    void arrowCursor() override { SetCursor(LoadCursor(nullptr, IDC_ARROW)); }
};

}  // namespace

MenuPort& platformMenuPort() {
    static Win32MenuPort port;
    return port;
}

}  // namespace vorpex::menu
