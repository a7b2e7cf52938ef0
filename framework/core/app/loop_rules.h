// The decisions of the message loops, apart from the calls that carry them out.
#pragma once

#include <cstdint>

namespace vorpex {

// After each message of a modal loop: go on, leave (the modal form was hidden, which closes it), or wait for
// the program to be restored (minimising the program hides its modal form without closing it).
enum class ModalStep { Continue, Leave, AwaitRestore };
ModalStep modalStep(bool formVisible, bool formIconic, bool haveMainForm, bool mainFormIconic);

// While a modal loop waits for the program to be restored, user input is dropped (the modal form is hidden
// and the others are disabled); every other message is served, so that painting and posted work go on.
bool isUserInput(unsigned message);

// Messages the hot-key table is offered.
bool isKeyDown(unsigned message);

// What GetMessage answered: a message, the quit message, or an error.
enum class Fetch { Message, Quit, Error };
Fetch fetchOutcome(int getMessageResult);

// OnCompacting's argument: the share of time spent compacting, in percent, from WM_COMPACTING's wParam.
double compactingPercent(uintptr_t wParam);

}  // namespace vorpex
