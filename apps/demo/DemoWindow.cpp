// "Vorpex demo": one window showing the folder it runs in and a button that
// closes it. `make run` starts it while the real programs are being built.
#include <windows.h>

namespace {

constexpr int kCloseId = 100;
constexpr char kClassName[] = "VorpexDemoWindow";

void addChildren(HWND window)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    char folder[MAX_PATH] = "?";
    GetCurrentDirectoryA(sizeof folder, folder);

    HWND label = CreateWindowExA(0, "STATIC", folder, WS_CHILD | WS_VISIBLE | SS_PATHELLIPSIS, 16, 16,
                                 360, 20, window, nullptr, instance, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "Cerrar", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  150, 56, 90, 26, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), instance, nullptr);
    SendMessageA(label, WM_SETFONT, font, FALSE);
    SendMessageA(button, WM_SETFONT, font, FALSE);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        addChildren(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCloseId)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        return 1;

    HWND window = CreateWindowExA(0, kClassName, "Vorpex demo", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 400, 140, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
