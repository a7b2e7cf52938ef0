// Where there are no menus, every menu operation gives its neutral answer.
#include "framework/controls/menu/menu_port.h"

namespace vorpex::menu {

MenuPort& platformMenuPort() {
    static MenuPort none;
    return none;
}

}  // namespace vorpex::menu
