// FindTextA/ReplaceTextA run in a message loop of their own. The dialog is subclassed (its procedure kept under
// "VPFindProc" or "VPReplaceProc"), so the buttons are read from the dialog's own record whatever window owns
// it: the system still sends "commdlg_FindReplace" to the owner, which may be the desktop.
#include <windows.h>

#include <commdlg.h>

#include "framework/core/window/message_dispatch.h"
#include "framework/dialogs/help/dialog_hook_win32.h"
#include "framework/dialogs/runners/find_replace.h"
#include "runtime/core/callback_guard.h"

namespace vorpex {

namespace {

constexpr const char* kRunProperty = "VPFindRun";

struct FindRun {
    const FindRequest* request = nullptr;
    const char* procProperty = nullptr;
    FINDREPLACEA record{};
    char findBuffer[kFindTextBuffer]{};
    char replaceBuffer[kFindTextBuffer]{};
    std::string closingFind, closingReplace;
    uint32_t closingFlags = 0;
};

UINT_PTR CALLBACK findHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* record = message == WM_INITDIALOG ? reinterpret_cast<const FINDREPLACEA*>(lParam) : nullptr;
    return win::commonDialogHook(dialog, message, wParam,
                                 record ? reinterpret_cast<const win::DialogHookSetUp*>(record->lCustData) : nullptr);
}

std::string itemText(HWND dialog, int item) {
    char text[kFindTextBuffer]{};
    GetDlgItemTextA(dialog, item, text, static_cast<int>(sizeof text));
    return text;
}

// The caller's flags with the user's choices as the dialog's controls show them (the replace dialog has no
// direction to choose).
uint32_t choiceFlags(HWND dialog, uint32_t flags) {
    const auto ticked = [dialog](int item) { return IsDlgButtonChecked(dialog, item) == BST_CHECKED; };
    flags = findChoiceFlags(flags) & ~static_cast<uint32_t>(FR_ENABLEHOOK | FR_WHOLEWORD | FR_MATCHCASE);
    if (ticked(chx1)) flags |= FR_WHOLEWORD;
    if (ticked(chx2)) flags |= FR_MATCHCASE;
    if (GetDlgItem(dialog, rad2)) flags = ticked(rad2) ? flags | FR_DOWN : flags & ~static_cast<uint32_t>(FR_DOWN);
    return flags;
}

void notify(HWND dialog, const FindRun& run, FindAction action) {
    if (!run.request->notify) return;
    FindNotice n{action, run.findBuffer, run.replaceBuffer, choiceFlags(dialog, run.request->flags)};
    guardCallback([&] { return run.request->notify(n), 0; }, 0);
}

LRESULT CALLBACK findDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* run = static_cast<FindRun*>(GetPropA(dialog, kRunProperty));
    const auto old = run ? reinterpret_cast<WNDPROC>(GetPropA(dialog, run->procProperty)) : nullptr;
    if (!old) return DefDlgProcA(dialog, message, wParam, lParam);
    if (message == WM_DESTROY) {
        run->closingFind = itemText(dialog, edt1);
        run->closingReplace = run->request->replace ? itemText(dialog, edt2) : std::string();
        run->closingFlags = choiceFlags(dialog, run->request->flags);
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(dialog, kRunProperty);
        RemovePropA(dialog, run->procProperty);
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);  // the loop waits for a message to see it gone
        return CallWindowProcA(old, dialog, message, wParam, lParam);
    }
    if (message != WM_COMMAND) return CallWindowProcA(old, dialog, message, wParam, lParam);
    run->record.Flags &= ~static_cast<DWORD>(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM);
    const LRESULT result = CallWindowProcA(old, dialog, message, wParam, lParam);
    const FindAction action = findActionOf(run->record.Flags);
    if (action != FindAction::None && action != FindAction::Close) notify(dialog, *run, action);
    return result;
}

HWND showDialog(FindRun& run, const win::DialogHookSetUp& setUp) {
    const FindRequest& r = *run.request;
    lstrcpynA(run.findBuffer, r.findText.c_str(), sizeof run.findBuffer);
    lstrcpynA(run.replaceBuffer, r.replaceText.c_str(), sizeof run.replaceBuffer);
    FINDREPLACEA& f = run.record;
    f.lStructSize = sizeof f;
    f.hwndOwner = r.owner ? reinterpret_cast<HWND>(r.owner) : GetDesktopWindow();
    f.Flags = r.flags | FR_ENABLEHOOK;
    f.lpstrFindWhat = run.findBuffer;
    f.wFindWhatLen = sizeof run.findBuffer;
    f.lpstrReplaceWith = r.replace ? run.replaceBuffer : nullptr;
    f.wReplaceWithLen = r.replace ? sizeof run.replaceBuffer : 0;
    f.lCustData = reinterpret_cast<LPARAM>(&setUp);
    f.lpfnHook = findHook;
    return r.replace ? ReplaceTextA(&f) : FindTextA(&f);
}

void subclass(HWND dialog, FindRun& run) {
    SetPropA(dialog, kRunProperty, &run);
    SetPropA(dialog, run.procProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrA(dialog, GWLP_WNDPROC)));
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(findDialogProc));
}

// Until the dialog is gone; a WM_QUIT ends it and is posted again for the loop outside.
void runLoop(HWND dialog) {
    MSG msg;
    while (IsWindow(dialog)) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (rt::breakPending() || callbackFailurePending()) break;
    }
    if (IsWindow(dialog)) DestroyWindow(dialog);
}

}  // namespace

FindOutcome runFindReplace(const FindRequest& r) {
    FindRun run;
    run.request = &r;
    run.procProperty = r.replace ? "VPReplaceProc" : "VPFindProc";
    const bool showsHelp = (r.flags & FR_SHOWHELP) != 0;
    const win::DialogHookSetUp setUp{r.dialog, showsHelp, r.center, reinterpret_cast<HWND>(r.owner)};
    const HWND dialog = showDialog(run, setUp);
    if (!dialog) return {false, CommDlgExtendedError()};
    subclass(dialog, run);
    runLoop(dialog);
    rethrowPendingCallbackErrors();
    if (r.notify) r.notify({FindAction::Close, run.closingFind, run.closingReplace, run.closingFlags});
    return {true, 0};
}

}  // namespace vorpex
