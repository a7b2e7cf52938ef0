// Without windows there are no controls to register, and errors keep the handler's message-box fallback.
#include "framework/controls/controls.h"

namespace vorpex {

void registerStandardControls() {}

}  // namespace vorpex
