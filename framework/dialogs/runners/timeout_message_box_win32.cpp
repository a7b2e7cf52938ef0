// The box's extras: a CBT hook catches the box's window as it is activated, renames its buttons, centres it,
// plays the sound and starts a one-second timer that rewrites its text with the seconds left and, at the end,
// presses the time-out button. One box at a time per thread.
#include <windows.h>

#include <mmsystem.h>

#include "framework/core/native/win_window.h"
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

void setUp(HWND window) {
    const TimeoutMessageBox& box = *running.box;
    const std::vector<int> buttons = messageBoxButtons(box.style);
    for (size_t i = 0; i < buttons.size() && i < box.buttonTexts.size(); ++i)
        if (!box.buttonTexts[i].empty()) SetDlgItemTextA(window, buttons[i], box.buttonTexts[i].c_str());
    if (box.center) win::centerWindow(window, reinterpret_cast<HWND>(box.owner));
    if (!box.soundFile.empty()) PlaySoundA(box.soundFile.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
    if (box.timeoutSeconds <= 0) return;
    showLeft();
    SetTimer(window, kTimer, 1000, tick);
}

LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !running.window) {
        running.window = reinterpret_cast<HWND>(wParam);
        setUp(running.window);
    }
    return CallNextHookEx(running.hook, code, wParam, lParam);
}

}  // namespace

int64_t runTimeoutMessageBox(const TimeoutMessageBox& box) {
    HWND owner = reinterpret_cast<HWND>(box.owner);
    const UINT style = static_cast<UINT>(box.style);
    // The first text already shows the whole time, so the box is sized for it.
    const std::string text = timeoutText(box.text, box.timeoutSeconds > 0 ? box.timeoutSeconds : 0);
    if (running.box) return MessageBoxA(owner, text.c_str(), box.caption.c_str(), style);
    running = {&box, SetWindowsHookExA(WH_CBT, watch, nullptr, GetCurrentThreadId()), nullptr, box.timeoutSeconds};
    const int pressed = MessageBoxA(owner, text.c_str(), box.caption.c_str(), style);
    if (running.hook) UnhookWindowsHookEx(running.hook);
    running = {};
    return pressed;
}

}  // namespace vorpex
