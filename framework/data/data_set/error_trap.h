// Keeps the run-time errors of one step from the program's error handler: the first error is kept and every
// error gets the chosen answer (Default lets the engine's call fail quietly; Break ends the step, and the
// caller catches rt::Break). The previous handler comes back when the trap ends.
#pragma once

#include <optional>

#include "runtime/core/error.h"

namespace vorpex::data {

class ErrorTrap {
public:
    explicit ErrorTrap(rt::ErrorAction answer = rt::ErrorAction::Default)
        : previous_(rt::setErrorHandler([this, answer](rt::Error& e) {
              if (!caught) caught = e;
              return rt::ErrorAnswer{answer, rt::Value(false)};
          })) {}
    ~ErrorTrap() { rt::setErrorHandler(previous_); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    std::optional<rt::Error> caught;

private:
    rt::ErrorHandler previous_;
};

}  // namespace vorpex::data
