#include "framework/core/timer/help_port.h"

namespace vorpex {

// The platform's port (help_port_win32.cpp / help_port_stub.cpp).
std::unique_ptr<HelpPort> makePlatformHelpPort();
void dropHtmlHelpLibrary();

namespace {

std::unique_ptr<HelpPort>& currentHelpPort() {
    // Never destroyed: objects that end during the program's exit still reach it.
    static auto* port = new std::unique_ptr<HelpPort>;
    return *port;
}

std::string& libraryName() {
    static std::string name = "HHCtrl.ocx";
    return name;
}

}  // namespace

HelpPort& helpPort() {
    if (!currentHelpPort()) currentHelpPort() = makePlatformHelpPort();
    return *currentHelpPort();
}

std::unique_ptr<HelpPort> setHelpPort(std::unique_ptr<HelpPort> port) {
    std::unique_ptr<HelpPort> previous = std::move(currentHelpPort());
    currentHelpPort() = std::move(port);
    return previous;
}

void setHtmlHelpLibrary(std::string name) {
    if (name == libraryName()) return;
    libraryName() = std::move(name);
    dropHtmlHelpLibrary();
}

const std::string& htmlHelpLibrary() { return libraryName(); }

}  // namespace vorpex
