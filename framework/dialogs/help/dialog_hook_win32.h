// What every common dialog's hook does, Windows only: at WM_INITDIALOG it keeps the dialog object for the later
// messages, takes context help away when the dialog shows no Help button, centres the dialog on request and
// offers its window to the tests' answerer; the Help button (1038) fires the dialog help.
#pragma once

#include <windows.h>

#include "runtime/core/object.h"

namespace vorpex::win {

struct DialogHookSetUp {
    rt::Object* dialog = nullptr;
    bool showsHelp = true;
    bool center = false;
    HWND centerOver = nullptr;
};

// `setUp` is read at WM_INITDIALOG only (null elsewhere). Answers what the hook returns to the dialog.
UINT_PTR commonDialogHook(HWND dialog, UINT message, WPARAM wParam, const DialogHookSetUp* setUp);

}  // namespace vorpex::win
