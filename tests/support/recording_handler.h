// An error handler for the length of one test: it records every error and answers the scripted answers in
// turn, then the fallback; the previous handler comes back at the end.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "runtime/core/error.h"

namespace rt::testing {

class RecordingHandler {
public:
    // Answers every error alike.
    explicit RecordingHandler(ErrorAction action = ErrorAction::Default, Value value = Value())
        : RecordingHandler(std::vector<ErrorAnswer>{}, ErrorAnswer{action, std::move(value)}) {}
    // Answers the script in turn, then Break (or the fallback given).
    explicit RecordingHandler(std::vector<ErrorAnswer> script, ErrorAnswer fallback = {ErrorAction::Break, Value()})
        : script_(std::move(script)), fallback_(std::move(fallback)) {
        previous_ = setErrorHandler([this](Error& e) { return answer(e); });
    }
    ~RecordingHandler() { setErrorHandler(previous_); }
    RecordingHandler(const RecordingHandler&) = delete;
    RecordingHandler& operator=(const RecordingHandler&) = delete;

    std::vector<Error> seen;
    // Runs before a Retry answer goes back, so that the retried step can find what it missed.
    std::function<void()> onRetry;

private:
    ErrorAnswer answer(Error& e) {
        seen.push_back(e);
        ErrorAnswer a = next_ < script_.size() ? script_[next_++] : fallback_;
        if (onRetry && a.action == ErrorAction::Retry) onRetry();
        return a;
    }

    std::vector<ErrorAnswer> script_;
    ErrorAnswer fallback_;
    size_t next_ = 0;
    ErrorHandler previous_;
};

}  // namespace rt::testing
