// The time-out box: a CBT hook catches the box's window as it is activated; a one-second timer then rewrites
// its text with the seconds left and, at the end, presses the time-out button. One box at a time per thread.
#include <windows.h>

#include "framework/dialogs/runners/timeout_message_box.h"

namespace vorpex {

namespace {

constexpr UINT_PTR kTimer = 0x5654;
constexpr int kTextControl = 0xFFFF;  // the message box's static text

struct RunningBox {
    const TimeoutMessageBox* box = nullptr;
    HHOOK hook = nullptr;
    HWND window = nullptr;
    int64_t left = 0;
};
thread_local RunningBox running;

void showLeft() { SetDlgItemTextA(running.window, kTextControl, timeoutText(running.box->text, running.left).c_str()); }

void CALLBACK tick(HWND window, UINT, UINT_PTR, DWORD) {
    if (--running.left > 0) {
        showLeft();
        return;
    }
    KillTimer(window, kTimer);
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(running.box->timeoutResult), 0);
}

LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !running.window) {
        running.window = reinterpret_cast<HWND>(wParam);
        showLeft();
        SetTimer(running.window, kTimer, 1000, tick);
    }
    return CallNextHookEx(running.hook, code, wParam, lParam);
}

}  // namespace

int64_t runTimeoutMessageBox(const TimeoutMessageBox& box) {
    HWND owner = reinterpret_cast<HWND>(box.owner);
    const UINT style = static_cast<UINT>(box.style);
    if (box.timeoutSeconds <= 0 || running.box)
        return MessageBoxA(owner, timeoutText(box.text, 0).c_str(), box.caption.c_str(), style);
    running = {&box, SetWindowsHookExA(WH_CBT, watch, nullptr, GetCurrentThreadId()), nullptr, box.timeoutSeconds};
    // The first text already shows the whole time; the box is sized for it.
    const int pressed = MessageBoxA(owner, timeoutText(box.text, box.timeoutSeconds).c_str(), box.caption.c_str(), style);
    if (running.hook) UnhookWindowsHookEx(running.hook);
    running = {};
    return pressed;
}

}  // namespace vorpex
