// Message boxes. Every box the framework shows goes through showMessageBox(), so a test (or a program run
// without a person) installs a hook that answers instead of the platform's modal box.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace vorpex {

namespace mb {
inline constexpr unsigned Ok = 0x0, OkCancel = 0x1, YesNoCancel = 0x3, YesNo = 0x4, RetryCancel = 0x5;
inline constexpr unsigned IconStop = 0x10, IconQuestion = 0x20, IconExclamation = 0x30, IconInformation = 0x40;
inline constexpr unsigned DefaultButton2 = 0x100, TaskModal = 0x2000;
inline constexpr int IdOk = 1, IdCancel = 2, IdRetry = 4, IdYes = 6, IdNo = 7;
}  // namespace mb

struct MessageBoxRequest {
    intptr_t owner = 0;
    std::string text;
    std::string caption;
    unsigned type = 0;
};

using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
// Installs the hook (an empty one restores the platform's box) and returns the previous one.
MessageBoxHook setMessageBoxHook(MessageBoxHook hook);

// The text a box shows for a value: "" for none (NIL), "{ ClassName }" for an object, "{ ... }" for an
// array, else the value's display form.
std::string messageBoxText(const rt::Value& x);
// The caption of a box without its own: the Application object's cTitle, else the program's name.
std::string defaultCaption();

// The request a box is shown with: type 0 becomes the information icon; without an owner, and unless the
// box is task-modal, the active window owns it.
MessageBoxRequest prepareMessageBox(const rt::Value& text, const rt::Value& caption, int64_t type,
                                    intptr_t owner);
// Shows the box through the hook when one is installed, else through the platform; the button number.
int showMessageBox(const MessageBoxRequest& request);
// VP_MsgBox: prepares and shows.
int messageBox(const rt::Value& text, const rt::Value& caption = {}, int64_t type = 0, intptr_t owner = 0);

void msgDebug(std::string_view text);

// The message-box callables (MSGINFO ... MESSAGEBOX, MSGDEBUG).
void registerMessageBoxFunctions();

}  // namespace vorpex
