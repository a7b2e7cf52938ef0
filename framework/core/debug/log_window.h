// The on-screen log window behind LOGDISPLAY: one form with a memo filling it and a two-second timer, made on
// first use and made again after it was closed. Where there is no window system (or the form and memo classes
// are not linked) the lines go to the debugger output instead.
#pragma once

#include <cstdint>
#include <string>

namespace vorpex {

// Appends one line (already indented) to the log window and restarts its separator timer.
void logDisplayLine(const std::string& line);

// The log window's form, NIL when it is not open. For tests.
struct LogWindowState {
    intptr_t form = 0;  // window handle
    intptr_t memo = 0;
};
LogWindowState logWindowState();
// Closes the log window when it is open.
void closeLogWindow();

}  // namespace vorpex
