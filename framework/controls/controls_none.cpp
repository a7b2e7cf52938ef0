// Without windows there are no controls to register, and errors keep the handler's message-box fallback; the
// word list and the mask functions are no windows and serve everywhere.
#include "framework/controls/controls.h"
#include "framework/controls/masked_edit/mask_rules.h"
#include "framework/controls/word_list/word_list.h"

namespace vorpex {

void registerStandardControls() {
    registerWordListFunctions();
    mask::registerMaskFunctions();
}

}  // namespace vorpex
