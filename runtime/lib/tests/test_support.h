// Helpers shared by the library tests: a scripted error handler and a settings guard.
#pragma once

#include <vector>

#include "runtime/core/error.h"
#include "runtime/core/settings.h"

namespace rt::testing {

// Records every error and answers each with the same action and value.
class RecordingHandler {
public:
    explicit RecordingHandler(ErrorAction action = ErrorAction::Default, Value value = Value())
        : action_(action), value_(std::move(value)) {
        previous_ = setErrorHandler([this](Error& e) {
            seen.push_back(e);
            return ErrorAnswer{action_, value_};
        });
    }
    ~RecordingHandler() { setErrorHandler(previous_); }
    RecordingHandler(const RecordingHandler&) = delete;
    RecordingHandler& operator=(const RecordingHandler&) = delete;

    std::vector<Error> seen;

private:
    ErrorAction action_;
    Value value_;
    ErrorHandler previous_;
};

// Restores the global settings a test changes.
class SettingsGuard {
public:
    SettingsGuard() : saved_(settings()) {}
    ~SettingsGuard() { settings() = saved_; }

private:
    Settings saved_;
};

}  // namespace rt::testing
