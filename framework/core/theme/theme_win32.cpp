#include "framework/core/theme/theme.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace vorpex::theme {

namespace {

class SystemLoader final : public ThemeLoader {
public:
    intptr_t load() override { return reinterpret_cast<intptr_t>(LoadLibraryA("UXTHEME.DLL")); }
    void* entry(intptr_t module, const char* name) override {
        return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
    }
    void release(intptr_t module) override { FreeLibrary(reinterpret_cast<HMODULE>(module)); }
};

// The entries the wrappers call, by their exported names; resolved once per loaded library.
enum Entry {
    kOpenThemeData, kCloseThemeData, kGetThemeSysColor, kGetThemeColor, kGetWindowTheme, kSetWindowTheme,
    kIsThemePartDefined, kDrawThemeEdge, kDrawThemeBackground, kDrawThemeParentBackground, kDrawThemeText,
    kEntryCount
};
constexpr std::array<const char*, kEntryCount> kEntryNames = {
    "OpenThemeData", "CloseThemeData", "GetThemeSysColor", "GetThemeColor", "GetWindowTheme", "SetWindowTheme",
    "IsThemePartDefined", "DrawThemeEdge", "DrawThemeBackground", "DrawThemeParentBackground", "DrawThemeText"};

struct State {
    std::unique_ptr<ThemeLoader> loader = std::make_unique<SystemLoader>();
    intptr_t module = 0;
    std::array<void*, kEntryCount> entries{};
    std::array<bool, kEntryCount> resolved{};
};

State& state() {
    static State s;
    return s;
}

template <class Fn>
Fn entry(Entry e) {
    State& s = state();
    if (!s.module) return nullptr;
    if (!s.resolved[e]) {
        s.entries[e] = s.loader->entry(s.module, kEntryNames[e]);
        s.resolved[e] = true;
    }
    return reinterpret_cast<Fn>(s.entries[e]);
}

// Calls the entry with the arguments; 0 when styles are off or the entry is missing.
template <class R, class... P, class... A>
R call(Entry e, A... args) {
    auto fn = entry<R(WINAPI*)(P...)>(e);
    return fn ? fn(args...) : R{};
}

HTHEMEHANDLE fromTheme(HANDLE h) { return reinterpret_cast<HTHEMEHANDLE>(h); }
HANDLE toTheme(HTHEMEHANDLE h) { return reinterpret_cast<HANDLE>(h); }

// The probe: a themed BUTTON exists only where the common controls 6 serve BUTTON and a theme is active.
bool buttonHasTheme() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "CheckThemes";
    const bool registered = RegisterClassA(&wc) != 0;
    HWND window = CreateWindowExA(0, "CheckThemes", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, instance,
                                  nullptr);
    HWND button = window ? CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, window, nullptr, instance,
                                           nullptr)
                         : nullptr;
    const bool themed = button && getWindowTheme(button) != 0;
    if (button) DestroyWindow(button);
    if (window) DestroyWindow(window);
    if (registered) UnregisterClassA("CheckThemes", instance);
    return themed;
}

}  // namespace

std::unique_ptr<ThemeLoader> setThemeLoader(std::unique_ptr<ThemeLoader> loader) {
    uninitTheme();
    if (!loader) loader = std::make_unique<SystemLoader>();
    return std::exchange(state().loader, std::move(loader));
}

bool initTheme() {
    State& s = state();
    if (s.module) return true;
    s.module = s.loader->load();
    if (!s.module) return false;
    if (!buttonHasTheme()) uninitTheme();
    return isAppThemed();
}

void uninitTheme() {
    State& s = state();
    if (s.module) s.loader->release(s.module);
    s.module = 0;
    s.entries.fill(nullptr);
    s.resolved.fill(false);
}

bool isAppThemed() { return state().module != 0; }

HTHEMEHANDLE openThemeData(HWND window, std::wstring_view classList) {
    if (!window) return 0;
    const std::wstring names(classList);
    return fromTheme(call<HANDLE, HWND, LPCWSTR>(kOpenThemeData, window, names.c_str()));
}

HRESULT closeThemeData(HTHEMEHANDLE theme) {
    return theme ? call<HRESULT, HANDLE>(kCloseThemeData, toTheme(theme)) : 0;
}

COLORREF getThemeSysColor(HTHEMEHANDLE theme, int colorId) {
    return theme ? call<COLORREF, HANDLE, int>(kGetThemeSysColor, toTheme(theme), colorId) : 0;
}

HRESULT getThemeColor(HTHEMEHANDLE theme, int part, int state, int property, COLORREF* color) {
    return call<HRESULT, HANDLE, int, int, int, COLORREF*>(kGetThemeColor, toTheme(theme), part, state, property,
                                                         color);
}

HTHEMEHANDLE getWindowTheme(HWND window) {
    return window ? fromTheme(call<HANDLE, HWND>(kGetWindowTheme, window)) : 0;
}

HRESULT setWindowTheme(HWND window, const wchar_t* subAppName, const wchar_t* subIdList) {
    return window ? call<HRESULT, HWND, LPCWSTR, LPCWSTR>(kSetWindowTheme, window, subAppName, subIdList) : 0;
}

bool isThemePartDefined(HTHEMEHANDLE theme, int part, int state) {
    return call<BOOL, HANDLE, int, int>(kIsThemePartDefined, toTheme(theme), part, state) != 0;
}

HRESULT drawThemeEdge(HTHEMEHANDLE theme, HDC dc, int part, int state, const RECT* rect, UINT edge, UINT flags,
                      RECT* content) {
    return call<HRESULT, HANDLE, HDC, int, int, const RECT*, UINT, UINT, RECT*>(
        kDrawThemeEdge, toTheme(theme), dc, part, state, rect, edge, flags, content);
}

HRESULT drawThemeBackground(HTHEMEHANDLE theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip) {
    return call<HRESULT, HANDLE, HDC, int, int, const RECT*, const RECT*>(kDrawThemeBackground, toTheme(theme), dc,
                                                                        part, state, rect, clip);
}

HRESULT drawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
    return call<HRESULT, HWND, HDC, const RECT*>(kDrawThemeParentBackground, window, dc, rect);
}

HRESULT drawThemeText(HTHEMEHANDLE theme, HDC dc, int part, int state, const wchar_t* text, int length,
                      DWORD flags, DWORD flags2, const RECT* rect) {
    return call<HRESULT, HANDLE, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*>(
        kDrawThemeText, toTheme(theme), dc, part, state, text, length, flags, flags2, rect);
}

}  // namespace vorpex::theme
