// The platform calls of start-up and shutdown, wrapped once: Win32 in startup_platform_win32.cpp, the
// native build's stand-ins in startup_platform_posix.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace vorpex::platform {

// Debugger output plus a task-modal error box captioned "Error"; the box's result.
int showCrashText(const std::string& text);
[[noreturn]] void exitProcess(int code);
// The full file name of a module, however long.
std::string moduleFileName(intptr_t module);

}  // namespace vorpex::platform
