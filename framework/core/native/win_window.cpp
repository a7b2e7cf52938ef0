#include "framework/core/native/win_window.h"

#include <vector>

namespace vorpex::win {

namespace {
WNDPROC& installedProc() {
    static WNDPROC proc = nullptr;
    return proc;
}

bool monitorRect(HWND window, Rect& out) {
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info)) return false;
    out = toRect(info.rcMonitor);
    return true;
}

bool moveTo(HWND window, const Point& p) {
    return SetWindowPos(window, nullptr, static_cast<int>(p.x), static_cast<int>(p.y), 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}
}  // namespace

Rect toRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT toRECT(const Rect& r) {
    return {static_cast<LONG>(r.left), static_cast<LONG>(r.top), static_cast<LONG>(r.right),
            static_cast<LONG>(r.bottom)};
}

HINSTANCE programInstance() { return GetModuleHandleA(nullptr); }

void setFrameworkWindowProc(WNDPROC proc) { installedProc() = proc; }
WNDPROC frameworkWindowProc() { return installedProc() ? installedProc() : DefWindowProcA; }

ATOM registerClass(const std::string& name, UINT style, HCURSOR cursor, HBRUSH brush) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = frameworkWindowProc();
    wc.hInstance = programInstance();
    wc.hCursor = cursor;
    wc.hbrBackground = brush;
    wc.lpszClassName = name.c_str();
    return RegisterClassExA(&wc);
}

Rect clientRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return toRect(r);
}

Rect windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return toRect(r);
}

TEXTMETRICA windowFontMetrics(HWND window) {
    TEXTMETRICA tm{};
    HDC dc = GetDC(window);
    if (!dc) return tm;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return tm;
}

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int copied = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

Rect centringReference(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    HWND basis = (!IsWindowVisible(window) && owner) ? owner : window;
    Rect r;
    if (monitorRect(basis, r)) return r;
    return windowRect(GetDesktopWindow());
}

bool centerWindow(HWND window, HWND reference) {
    if (!IsWindow(window)) return false;
    const Rect ref = reference ? windowRect(reference) : centringReference(window);
    const Rect own = windowRect(window);
    return moveTo(window, centredOn(ref, own.width(), own.height()));
}

bool centerMdiWindow(HWND window) {
    HWND parent = GetParent(window);
    if (!parent) return false;
    const Rect client = clientRect(parent);
    const Rect own = windowRect(window);
    return moveTo(window, centredInClient(client.width(), client.height(), own.width(), own.height()));
}

}  // namespace vorpex::win
