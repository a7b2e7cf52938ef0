// Without windows there are no controls to register, and errors keep the handler's message-box fallback; the
// word list is no window and serves everywhere.
#include "framework/controls/controls.h"
#include "framework/controls/word_list/word_list.h"

namespace vorpex {

void registerStandardControls() { registerWordListFunctions(); }

}  // namespace vorpex
