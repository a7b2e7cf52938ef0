// The help viewers behind THelp. On Win32: WinHelpA, and HtmlHelpA from the HTML Help library loaded on first
// use and kept (its name can be replaced, so tests load a recording stand-in and never open a viewer).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/timer/help_request.h"

namespace vorpex {

class HelpPort {
public:
    virtual ~HelpPort() = default;
    // WinHelp: true when the viewer took the request.
    virtual bool winHelp(const HelpRequest& r) = 0;
    // HTML Help: the viewer's window, 0 when none opened or the library or its function is missing. A keyword
    // look-up that opens a window also gets WM_COMMAND 206 and the F6 key posted to it.
    virtual intptr_t htmlHelp(const HelpRequest& r) = 0;
};

HelpPort& helpPort();
// Replaces the port (tests); null restores the platform's. Answers the previous one.
std::unique_ptr<HelpPort> setHelpPort(std::unique_ptr<HelpPort> port);

// The library that provides HtmlHelpA ("HHCtrl.ocx"). Setting another name drops the loaded one, so the next
// HTML Help request loads the new one.
void setHtmlHelpLibrary(std::string name);
const std::string& htmlHelpLibrary();

}  // namespace vorpex
