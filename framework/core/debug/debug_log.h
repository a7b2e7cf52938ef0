// The developers' trace: lines to the debugger output (OutputDebugStringA on Windows) through a sink that
// tests replace, one indentation shared with the on-screen log window, and the text form of traced values.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex {

// Where debugger-output lines go. The default writes to the platform's debugger output (nothing natively).
using DebugSink = std::function<void(std::string_view line)>;
// Installs `sink` (an empty one restores the default) and answers the previous one.
DebugSink setDebugSink(DebugSink sink);
void writeDebugOutput(std::string_view text);

// The indentation in blanks, shared by LOGDEBUG and LOGDISPLAY; it never goes below 0.
int logIndent();
void changeLogIndent(int delta);
void resetLogIndent();

// DBGTOSTRING: an array gives " " + the text of each element (nested arrays recurse); anything else its text
// form, numbers without their padding.
std::string dbgToString(const rt::Value& v);

// The arguments as texts joined by single blanks, after the current indentation: one LOGDEBUG or LOGDISPLAY
// line.
std::string logLine(rt::Args args);

// DEBUGSTACK(nLevels): one line per calling procedure, innermost first: "Calls: NAME(line)" and then
// "       NAME(line)". Fewer lines when the stack is shallower.
std::vector<std::string> debugStackLines(int levels);

// OutputDebugHex: at least four upper-case hexadecimal digits; negative numbers as their 32-bit pattern.
std::string debugHex(int64_t n);

}  // namespace vorpex
