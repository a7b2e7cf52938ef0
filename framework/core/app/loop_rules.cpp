#include "framework/core/app/loop_rules.h"

namespace vorpex {

namespace {
// Win32 message numbers, spelt out so that the rules build everywhere.
constexpr unsigned kKeyFirst = 0x0100, kKeyLast = 0x0109, kKeyDown = 0x0100, kSysKeyDown = 0x0104;
constexpr unsigned kMouseFirst = 0x0200, kMouseLast = 0x020E;
constexpr unsigned kNcMouseFirst = 0x00A0, kNcMouseLast = 0x00AD;
}  // namespace

ModalStep modalStep(bool formVisible, bool formIconic, bool haveMainForm, bool mainFormIconic) {
    if (formVisible || formIconic) return ModalStep::Continue;
    // A hidden modal form is closed, unless the whole program is minimised. Without a main form there is no
    // program to restore: waiting would leave an invisible loop that nothing ends.
    if (haveMainForm && mainFormIconic) return ModalStep::AwaitRestore;
    return ModalStep::Leave;
}

bool isUserInput(unsigned message) {
    return (message >= kKeyFirst && message <= kKeyLast) || (message >= kMouseFirst && message <= kMouseLast) ||
           (message >= kNcMouseFirst && message <= kNcMouseLast);
}

bool isKeyDown(unsigned message) { return message == kKeyDown || message == kSysKeyDown; }

Fetch fetchOutcome(int getMessageResult) {
    if (getMessageResult == -1) return Fetch::Error;
    return getMessageResult == 0 ? Fetch::Quit : Fetch::Message;
}

double compactingPercent(uintptr_t wParam) { return static_cast<double>(wParam) / 655.36; }

}  // namespace vorpex
