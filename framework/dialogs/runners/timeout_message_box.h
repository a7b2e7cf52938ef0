// A message box that presses a button of its own after a time-out, showing the seconds left where its text
// holds "%i". The text is the caller's: only that marker is replaced, so any other "%" shows as it is.
#pragma once

#include <cstdint>
#include <string>

namespace vorpex {

// The text with every "%i" replaced by the seconds left.
std::string timeoutText(const std::string& text, int64_t secondsLeft);

struct TimeoutMessageBox {
    intptr_t owner = 0;
    std::string text, caption;
    uint32_t style = 0;         // MB_* buttons, icon and modality
    int64_t timeoutSeconds = 0;  // 0: no time-out
    int64_t timeoutResult = 1;   // the button pressed at the end (IDOK)
};

// Runs the box; the button pressed (by the user, or `timeoutResult` at the end), 0 where there are no message
// boxes.
int64_t runTimeoutMessageBox(const TimeoutMessageBox& box);

}  // namespace vorpex
