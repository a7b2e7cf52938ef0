// The last-chance report of a processor or system exception that escaped the program: a fixed text layout
// (code, exception name, call stack) shown in a message box. The text goes through a presenter that tests and
// probes replace, so nothing ever waits for a person there.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/frame.h"

namespace vorpex {

inline constexpr size_t kCrashFrameLimit = 20;
inline constexpr size_t kCrashNameLimit = 160;    // longer procedure names are cut
inline constexpr size_t kCrashReportLimit = 4096;  // the whole text never grows past this

// The name of a Win32 exception code ("Access violation"), or null for a code without one.
const char* exceptionName(uint32_t code);

// "GPF (Code = c0000005):\r\n" [name "\r\n"] "\r\n" then "NAME (line)\r\n" per stack level, innermost first,
// stopping at a level without a name or after 20 levels.
std::string crashReportText(uint32_t code, const std::vector<rt::StackEntry>& stack);

// Shows the text; answers the message box's result. The default writes it to the debugger output and shows
// it in a task-modal error box captioned "Error" (on Win32), or to stderr.
using CrashPresenter = std::function<int(const std::string& text)>;
CrashPresenter setCrashReportPresenter(CrashPresenter presenter);

// Builds the report from the current call stack and presents it.
int ShowCrashReport(uint32_t code);

}  // namespace vorpex
