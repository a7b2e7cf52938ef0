#include "framework/core/timer/help_port.h"

namespace vorpex {

namespace {

// No help viewers without Windows: WinHelp refuses and HTML Help opens nothing.
class NoHelpPort final : public HelpPort {
public:
    bool winHelp(const HelpRequest&) override { return false; }
    intptr_t htmlHelp(const HelpRequest&) override { return 0; }
};

}  // namespace

std::unique_ptr<HelpPort> makePlatformHelpPort() { return std::make_unique<NoHelpPort>(); }
void dropHtmlHelpLibrary() {}

}  // namespace vorpex
