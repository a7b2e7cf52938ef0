#include "TestWindow.h"

namespace {

// Each window gets a class of its own, so tests never share a procedure.
std::string nextClassName()
{
    static int counter = 0;
    return "VorpexTestWindow" + std::to_string(++counter);
}

} // namespace

TestWindow::TestWindow(WNDPROC procedure) : className_(nextClassName())
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className_.c_str();
    if (!RegisterClassA(&wc))
        return;
    window_ = CreateWindowExA(0, className_.c_str(), "Vorpex test", WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr,
                              wc.hInstance, nullptr);
}

TestWindow::~TestWindow()
{
    if (window_)
        DestroyWindow(window_);
    UnregisterClassA(className_.c_str(), GetModuleHandleA(nullptr));
}
