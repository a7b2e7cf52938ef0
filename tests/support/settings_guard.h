// Restores the global settings (date format, century, exact, ...) that a test changes.
#pragma once

#include "runtime/core/settings.h"

namespace rt::testing {

class SettingsGuard {
public:
    SettingsGuard() : saved_(settings()) {}
    ~SettingsGuard() { settings() = saved_; }
    SettingsGuard(const SettingsGuard&) = delete;
    SettingsGuard& operator=(const SettingsGuard&) = delete;

private:
    Settings saved_;
};

}  // namespace rt::testing
