// The platform calls of start-up and shutdown, wrapped once: Win32 in startup_platform_win32.cpp, the
// native build's stand-ins in startup_platform_posix.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorpex::platform {

// Debugger output plus a task-modal error box captioned "Error"; the box's result.
int showCrashText(const std::string& text);
[[noreturn]] void exitProcess(int code);
// The full file name of a module, however long.
std::string moduleFileName(intptr_t module);
// Points the Win32 services at the program's modules (image and cursor look-ups) and at WindowProc (classes
// registered by name); nothing in the native build.
void wireServices(const std::function<std::vector<intptr_t>()>& modules);

}  // namespace vorpex::platform
