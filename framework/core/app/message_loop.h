// The message loops: the modeless loop of a form (RUNFORM, what Application:Run drives), the modal loop of
// ShowModal (FORMSHOWMODAL), the non-blocking drain for long handlers (PROCESSMESSAGES), the running flag
// (APPRUNNING) and the hot keys they serve. Declarations only; the loops are Win32.
//
// Forms take part by name: Handle, oMdiClient, lVisible, lEnabled, Disable, Enable, Show, AlignControls,
// nModalResult, lModal. The application is the public variable Application (oMainForm, aForms).
#pragma once

#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

// Why a loop ended.
enum class LoopEnd {
    Stopped,      // the running flag went false (Application:lTerminate, APPRUNNING(.F.))
    FormGone,     // the form's window no longer exists
    ModalClosed,  // a modal form was hidden
    Quit,         // WM_QUIT or the runtime's quit request
    Failed,       // GetMessage failed
};

LoopEnd runMessageLoop(const rt::Value& form, bool modal);

// RUNFORM(oForm): the modeless loop on a form, which is held for the duration.
LoopEnd runForm(const rt::Value& form);

// ShowModal([nShowMode], [lCenter]) of a form: disables the other enabled forms, shows Self, runs the modal
// loop and re-enables the forms, in the order they were disabled, however the loop is left (a break too).
// Answers nModalResult.
rt::Value formShowModal(rt::Object& self, rt::Args args);

// PROCESSMESSAGES(): serves what is queued without waiting and without the idle step.
void processMessages();

// APPRUNNING(): the loops run while it is true; each loop sets it when it starts.
bool appRunning();
void setAppRunning(bool running);

// GETACTIVEFORM(): the first form of Application:aForms whose lActive is true, NIL when none.
rt::Value getActiveForm();

// Registers RUNFORM, FORMSHOWMODAL, PROCESSMESSAGES, APPRUNNING, GETACTIVEFORM, VP_SETKEY and ISDEBUG by name.
void registerLoopFunctions();

}  // namespace vorpex
