// A message box with the caller's button texts, centred on request, with a sound, and pressing a button of its
// own after a time-out, showing the seconds left where its text holds "%i". The text is the caller's: only that
// marker is replaced, so any other "%" shows as it is.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorpex {

// The text with every "%i" replaced by the seconds left.
std::string timeoutText(const std::string& text, int64_t secondsLeft);

struct TimeoutMessageBox {
    intptr_t owner = 0;
    std::string text, caption;
    uint32_t style = 0;         // MB_* buttons, icon and modality
    int64_t timeoutSeconds = 0;  // 0: no time-out
    int64_t timeoutResult = 1;   // the button pressed at the end (IDOK)
    std::vector<std::string> buttonTexts;  // in the order the style shows its buttons; "" keeps a button's own
    bool center = false;                   // over the owner
    std::string soundFile;                 // played as the box opens
};

// The buttons of a message box style (its low four bits) as their identifiers, in the order they show.
std::vector<int> messageBoxButtons(uint32_t style);

// Runs the box; the button pressed (by the user, or `timeoutResult` at the end), 0 where there are no message
// boxes. One box at a time per thread has its buttons, centring and time-out applied.
int64_t runTimeoutMessageBox(const TimeoutMessageBox& box);

}  // namespace vorpex
