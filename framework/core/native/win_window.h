// Typed Win32 helpers for windows, window classes and messages: what the framework's classes call directly,
// and what the callable window functions adapt. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/core/native/geometry.h"
#include "framework/core/native/win_casts.h"

namespace vorpex::win {

Rect toRect(const RECT& r);
RECT toRECT(const Rect& r);

// The program's own module (slot 0 of the framework's module list).
HINSTANCE programInstance();

// The window procedure that REGISTERCLASS gives every class it registers. The framework's message dispatch
// installs its own at start-up; until then windows get the default procedure.
void setFrameworkWindowProc(WNDPROC proc);
WNDPROC frameworkWindowProc();
ATOM registerClass(const std::string& name, UINT style, HCURSOR cursor, HBRUSH brush);

Rect clientRect(HWND window);
Rect windowRect(HWND window);
std::string windowText(HWND window);
// The metrics of the font the window draws with (its WM_GETFONT font), by which its caret is sized.
TEXTMETRICA windowFontMetrics(HWND window);

// The rectangle a window is centred on when no reference window is given: the monitor of its owner while
// the window is hidden and owned, else its own monitor; the desktop when no monitor can be read.
Rect centringReference(HWND window);
bool centerWindow(HWND window, HWND reference = nullptr);
bool centerMdiWindow(HWND window);

}  // namespace vorpex::win
