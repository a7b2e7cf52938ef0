// The debug log and small utilities callable by name: LOGDEBUG, DBGTOSTRING, DEBUGSTACK, OUTPUTDEBUGSTRING,
// OUTPUTDEBUGDEC, OUTPUTDEBUGHEX, LOGDISPLAY, LOGINCINDENT, LOGDECINDENT, VORPEXVERSION, STRPATTERN, DTOSQL,
// DTTOSQL, VP_GETDEFVALUE and LOADCURSORA (Windows).
#pragma once

#include <cstdint>
#include <string>

namespace vorpex {

// Registers them; calling it again does no harm.
void registerDebugFunctions();

// Native code's way into the log window: LOGDISPLAY called by name, nothing when no LOGDISPLAY is linked.
void logDisplayNumber(int64_t n);
void logDisplayText(const std::string& text);

}  // namespace vorpex
