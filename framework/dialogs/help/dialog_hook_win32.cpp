#include "framework/dialogs/help/dialog_hook_win32.h"

#include "framework/core/native/win_window.h"
#include "framework/dialogs/dialog_answerer.h"
#include "framework/dialogs/help/dialog_help.h"
#include "runtime/core/callback_guard.h"

namespace vorpex::win {

namespace {

constexpr const char* kDialogProperty = "VorpexCommonDialog";
constexpr WPARAM kHelpButton = 1038;

void dropContextHelp(HWND dialog) {
    SetWindowLongPtrA(dialog, GWL_STYLE, GetWindowLongPtrA(dialog, GWL_STYLE) & ~static_cast<LONG_PTR>(DS_CONTEXTHELP));
    SetWindowLongPtrA(dialog, GWL_EXSTYLE,
                      GetWindowLongPtrA(dialog, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CONTEXTHELP));
}

}  // namespace

UINT_PTR commonDialogHook(HWND dialog, UINT message, WPARAM wParam, const DialogHookSetUp* setUp) {
    if (message == WM_INITDIALOG && setUp) {
        SetPropA(dialog, kDialogProperty, setUp->dialog);
        if (!setUp->showsHelp) dropContextHelp(dialog);
        if (setUp->center) centerWindow(dialog, setUp->centerOver);
        offerDialogToAnswerer(reinterpret_cast<intptr_t>(dialog));
        return 1;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kHelpButton) {
        if (auto* object = static_cast<rt::Object*>(GetPropA(dialog, kDialogProperty))) {
            POINT at{};
            GetCursorPos(&at);
            rt::callbackGuard([&] { return fireDialogHelp(*object, at.x, at.y); }, rt::Value());
        }
        return 0;
    }
    if (message == WM_DESTROY) RemovePropA(dialog, kDialogProperty);
    return 0;
}

}  // namespace vorpex::win
