// Building a menu tree in reading order: VP_MENUBEGIN / VP_MENUADD push a menu, VP_MENUITEM and
// VP_MENUSEPARATOR add to the menu on top, a further VP_MENUBEGIN opens a submenu under the last item added,
// and VP_MENUEND pops (attaching a finished bar to its form). The menus being built are on one program-wide
// stack; a caller that may be interrupted by a run-time error between BEGIN and END holds a MenuBuildScope, so
// that the next builder never attaches to a menu left half-built.
#pragma once

#include <cstddef>

namespace vorpex::menu {

// Puts the stack back to the depth it had when the scope began.
class MenuBuildScope {
public:
    MenuBuildScope();
    ~MenuBuildScope();
    MenuBuildScope(const MenuBuildScope&) = delete;
    MenuBuildScope& operator=(const MenuBuildScope&) = delete;

private:
    size_t depth_;
};

size_t menuBuildDepth();

// Registers VP_MENUBEGIN, VP_MENUADD, VP_MENUITEM, VP_MENUSEPARATOR and VP_MENUEND.
void registerMenuBuilders();

}  // namespace vorpex::menu
