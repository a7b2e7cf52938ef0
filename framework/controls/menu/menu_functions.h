// The native menu functions callable by name (CREATEMENU, INSERTMENUITEM, TRACKPOPUPMENU, ...): one native call
// each, for code that works on menus directly. Only Windows has them; elsewhere registering does nothing.
#pragma once

namespace vorpex::menu {

void registerMenuFunctions();

}  // namespace vorpex::menu
