// What a message box needs from the platform; defined by the Windows side, and by stand-ins elsewhere.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/gdi/message_box.h"

namespace vorpex::platform {

int showMessageBox(const MessageBoxRequest& request);
intptr_t activeWindow();
// The program file's name without folder and extension.
std::string programName();

}  // namespace vorpex::platform
