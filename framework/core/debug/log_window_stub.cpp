#include "framework/core/debug/debug_log.h"
#include "framework/core/debug/log_window.h"

namespace vorpex {

// No window system: the log window's lines go to the debugger output.
void logDisplayLine(const std::string& line) { writeDebugOutput(line); }
LogWindowState logWindowState() { return {}; }
void closeLogWindow() {}

}  // namespace vorpex
