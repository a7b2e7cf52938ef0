#pragma once
// A real top-level window with its own window class, for tests that need to
// send messages to a window procedure they control. Destroys the window and
// unregisters the class when it goes out of scope.
#include <windows.h>

#include <string>

class TestWindow {
public:
    explicit TestWindow(WNDPROC procedure);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window_; }

private:
    std::string className_;
    HWND window_ = nullptr;
};
