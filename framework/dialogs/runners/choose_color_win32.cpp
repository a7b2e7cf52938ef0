// ChooseColorA with the common dialogs' hook; the dialog starts from the given colour.
#include <windows.h>

#include <commdlg.h>

#include "framework/dialogs/help/dialog_hook_win32.h"
#include "framework/dialogs/runners/choose_color.h"

namespace vorpex {

namespace {

UINT_PTR CALLBACK colorHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* record = message == WM_INITDIALOG ? reinterpret_cast<const CHOOSECOLORA*>(lParam) : nullptr;
    return win::commonDialogHook(dialog, message, wParam,
                                 record ? reinterpret_cast<const win::DialogHookSetUp*>(record->lCustData) : nullptr);
}

}  // namespace

ColorAnswer runChooseColor(const ColorRequest& r) {
    COLORREF custom[16];
    for (size_t i = 0; i < 16; ++i) custom[i] = static_cast<COLORREF>(r.custom[i]);
    const win::DialogHookSetUp setUp{r.dialog, r.showsHelp, r.center, reinterpret_cast<HWND>(r.owner)};
    CHOOSECOLORA c{};
    c.lStructSize = sizeof c;
    c.hwndOwner = reinterpret_cast<HWND>(r.owner);
    c.rgbResult = static_cast<COLORREF>(r.color);
    c.lpCustColors = custom;
    c.Flags = r.flags | CC_RGBINIT | CC_ENABLEHOOK;
    c.lCustData = reinterpret_cast<LPARAM>(&setUp);
    c.lpfnHook = colorHook;
    ColorAnswer a;
    a.ok = ChooseColorA(&c) != FALSE;
    if (!a.ok) {
        a.error = CommDlgExtendedError();
        return a;
    }
    a.color = c.rgbResult;
    for (size_t i = 0; i < 16; ++i) a.custom[i] = custom[i];
    return a;
}

}  // namespace vorpex
