// The Help button of the framework's common dialogs: the dialog's own OnHelp handler when it has one, else
// its owner's Help, else the application's. The hooks of the dialogs call it with the cursor's position.
#pragma once

#include <cstdint>

#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

// Fires OnHelp(dialog, HelpId, x, y) when assigned and answers its result; otherwise sends Help(dialog,
// HelpId, x, y) to the dialog's oParent when that is an object with a window, else to Application, and
// answers 0.
rt::Value fireDialogHelp(rt::Object& dialog, int64_t x, int64_t y);

// FIREDIALOGHELP(oDialog): the same at the cursor's position.
void registerDialogHelp();

}  // namespace vorpex
