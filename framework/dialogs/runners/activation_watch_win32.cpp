#include "framework/dialogs/runners/activation_watch_win32.h"

#include <utility>

#include "framework/dialogs/dialog_answerer.h"
#include "runtime/core/callback_guard.h"

namespace vorpex::win {

namespace {
thread_local ActivationWatch* current = nullptr;
}

ActivationWatch::ActivationWatch(std::function<void(HWND)> setUp) : setUp_(std::move(setUp)) {
    if (current) return;
    hook_ = SetWindowsHookExA(WH_CBT, watch, nullptr, GetCurrentThreadId());
    if (hook_) current = this;
}

ActivationWatch::~ActivationWatch() {
    if (!hook_) return;
    UnhookWindowsHookEx(hook_);
    current = nullptr;
}

LRESULT CALLBACK ActivationWatch::watch(int code, WPARAM wParam, LPARAM lParam) {
    ActivationWatch* w = current;
    if (w && code == HCBT_ACTIVATE && !w->seen_) {
        w->seen_ = true;
        const HWND window = reinterpret_cast<HWND>(wParam);
        if (w->setUp_) w->setUp_(window);
        rt::callbackGuard([&] { return offerDialogToAnswerer(reinterpret_cast<intptr_t>(window)), 0; }, 0);
    }
    return CallNextHookEx(w ? w->hook_ : nullptr, code, wParam, lParam);
}

}  // namespace vorpex::win
