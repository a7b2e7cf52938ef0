// Where there is no Windows there is no one to ask: a box without a hook answers 0 (no button) at once.
#include "framework/core/gdi/message_box_platform.h"

namespace vorpex::platform {

int showMessageBox(const MessageBoxRequest&) { return 0; }
intptr_t activeWindow() { return 0; }
std::string programName() { return {}; }

}  // namespace vorpex::platform
