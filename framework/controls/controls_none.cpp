// Without windows there are no controls to register, and errors keep the handler's message-box fallback; menus
// and the mask functions are no windows and serve everywhere.
#include "framework/controls/controls.h"
#include "framework/controls/masked_edit/mask_rules.h"
#include "framework/controls/menu/menu.h"

namespace vorpex {

void registerStandardControls() {
    registerMenus();
    mask::registerMaskFunctions();
}

}  // namespace vorpex
