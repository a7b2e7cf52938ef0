// Typed Win32 drawing helpers of the framework and the look-ups across resource modules. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/native/geometry.h"

namespace vorpex::win {

// The modules whose resources are searched, in order (the program first, then the resource modules it
// registered). Unset: the program's own module only.
using ResourceModuleList = std::function<std::vector<intptr_t>()>;
void setResourceModules(ResourceModuleList modules);
std::vector<HINSTANCE> resourceModules();

// The first module's image (or cursor) of that name; nullptr when no module has it.
HANDLE loadImage(LPCSTR name, UINT type, int cx, int cy, UINT flags);
HCURSOR loadCursor(LPCSTR name);

// The outline of `r` with `pen` (the stock black pen when none); the previous pen is selected again.
void drawBox(HDC dc, const Rect& r, HPEN pen = nullptr);
// One-pixel raised frame: top and left in the button highlight colour, bottom and right in its shadow.
void drawRaisedBox(HDC dc, const Rect& r);
void drawSunkenBox(HDC dc, const Rect& r);
bool gradientFill(HDC dc, const Rect& r, int64_t color1, int64_t color2, bool vertical);

// Colour bits of the display, read once.
int screenColors();

// The system's text for an error code; "" when it has none.
std::string systemErrorText(int64_t code);
// Shows that text in a box captioned "Error"; nothing when there is no text.
void msgSysError(int64_t code);

}  // namespace vorpex::win
