#include "framework/controls/menu/menu_port.h"

namespace vorpex::menu {

namespace {
MenuPort* installed = nullptr;
}

MenuPort& menuPort() { return installed ? *installed : platformMenuPort(); }
void setMenuPort(MenuPort* port) { installed = port; }

ItemMask itemMask(const NativeItem& item, bool insertion) {
    return {insertion || item.id != 0, item.subMenu != 0, item.checkedBitmap != 0 || item.uncheckedBitmap != 0};
}

}  // namespace vorpex::menu
