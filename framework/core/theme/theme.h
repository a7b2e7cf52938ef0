// Visual styles, bound at run time: UXTHEME.DLL is loaded by name, never linked, so programs also start where
// it is missing. One probe at start-up (initTheme) decides whether styles are in use for the whole run; every
// wrapper afterwards does nothing and answers 0 while they are off. Windows only.
//
// The library is reached through a loader, so tests can run the framework as if the library were missing, or
// present with or without a theme.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

namespace vorpex::theme {

class ThemeLoader {
public:
    virtual ~ThemeLoader() = default;
    // The library's module, 0 when it cannot be loaded.
    virtual intptr_t load() = 0;
    virtual void* entry(intptr_t module, const char* name) = 0;
    virtual void release(intptr_t module) = 0;
};

// Installs a loader (null: the system's LoadLibrary) and returns the previous one. Styles are switched off;
// run initTheme again to probe through the new loader.
std::unique_ptr<ThemeLoader> setThemeLoader(std::unique_ptr<ThemeLoader> loader);

// The start-up probe: loads the library, asks for the theme of a BUTTON on a small hidden window and keeps
// the library only when the button has one. Answers isAppThemed().
bool initTheme();
// Frees the library: styles are off for the rest of the run (or until the next initTheme).
void uninitTheme();
// Whether styles are in use: the library is held.
bool isAppThemed();

using HTHEMEHANDLE = intptr_t;

HTHEMEHANDLE openThemeData(HWND window, std::wstring_view classList);
HRESULT closeThemeData(HTHEMEHANDLE theme);
COLORREF getThemeSysColor(HTHEMEHANDLE theme, int colorId);
HRESULT getThemeColor(HTHEMEHANDLE theme, int part, int state, int property, COLORREF* color);
HTHEMEHANDLE getWindowTheme(HWND window);
HRESULT setWindowTheme(HWND window, const wchar_t* subAppName, const wchar_t* subIdList);
bool isThemePartDefined(HTHEMEHANDLE theme, int part, int state);
HRESULT drawThemeEdge(HTHEMEHANDLE theme, HDC dc, int part, int state, const RECT* rect, UINT edge, UINT flags,
                      RECT* content);
HRESULT drawThemeBackground(HTHEMEHANDLE theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);
HRESULT drawThemeParentBackground(HWND window, HDC dc, const RECT* rect);
HRESULT drawThemeText(HTHEMEHANDLE theme, HDC dc, int part, int state, const wchar_t* text, int length,
                      DWORD flags, DWORD flags2, const RECT* rect);

// OPENTHEMEDATA, CLOSETHEMEDATA, ISAPPTHEMED, GETTHEMESYSCOLOR, GETWINDOWTHEME, SETWINDOWTHEME,
// ISWINDOWTHEMED by name.
void registerThemeFunctions();

}  // namespace vorpex::theme
