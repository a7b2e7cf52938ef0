// The program's error handler. ERRORSYS installs XsError, which decides silently for a division by zero
// (0) and for the two sharing cases that allow a default (NETERR, false); every other error rewrites
// "Error.log", is shown on the error form with the choices it allows, and then retries, takes the default, or
// closes every data source and breaks out. A failure inside the handler shows one message box and ends the
// program.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/core/error.h"

namespace vorpex {

// What the error form shows: the message, one button per option, and this error's log text (empty when the
// log could not be written).
struct ErrorFormRequest {
    std::string message;
    std::vector<std::string> options;  // "&Quit", then "&Retry" when canRetry, then "&Ignore" when canDefault
    std::string log;
    bool canRetry = false, canDefault = false;
};

// ShowError's form: answers the number of the option chosen (1-based); 0, or any number not offered, is Quit.
using ErrorPresenter = std::function<int(const ErrorFormRequest&)>;

// The error form installs itself here; without one the handler asks through a message box (which the message
// box hook answers in tests). Returns the previous presenter.
ErrorPresenter setErrorPresenter(ErrorPresenter presenter);
int ShowError(const ErrorFormRequest& request);

// XsError as the runtime's error handler.
rt::ErrorAnswer XsError(rt::Error& e);

// ERRORSYS: installs XsError as the runtime's error handler.
void ERRORSYS();

// Makes ERRORSYS the runtime's error-system set-up (it then runs before every start-up procedure) and
// callable by name.
void installErrorSystem();

}  // namespace vorpex
