// Without windows there are no controls to register, and errors keep the handler's message-box fallback; menus,
// the word list and the mask functions are no windows and serve everywhere.
#include "framework/controls/controls.h"
#include "framework/controls/masked_edit/mask_rules.h"
#include "framework/controls/menu/menu.h"
#include "framework/core/word_list/word_list.h"

namespace vorpex {

void registerStandardControls() {
    registerMenus();
    registerWordListFunctions();
    mask::registerMaskFunctions();
}

}  // namespace vorpex
