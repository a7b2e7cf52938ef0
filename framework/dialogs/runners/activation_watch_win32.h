// The shell's dialogs take no hook: for the length of a call, the first window activated on this thread (the
// dialog) is handed to a set-up step and then offered to the tests' answerer. Windows only; one watch at a time
// per thread (an inner one watches nothing).
#pragma once

#include <windows.h>

#include <functional>

namespace vorpex::win {

class ActivationWatch {
public:
    explicit ActivationWatch(std::function<void(HWND)> setUp = {});
    ~ActivationWatch();
    ActivationWatch(const ActivationWatch&) = delete;
    ActivationWatch& operator=(const ActivationWatch&) = delete;

private:
    static LRESULT CALLBACK watch(int code, WPARAM wParam, LPARAM lParam);
    std::function<void(HWND)> setUp_;
    HHOOK hook_ = nullptr;
    bool seen_ = false;
};

}  // namespace vorpex::win
