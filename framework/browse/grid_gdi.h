// The few GDI calls the grid, its columns and its record selector draw with, over the model's rectangles:
// solid fills, one-pixel lines, text in a box, the focus rectangle, and image-list images. Windows only.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/browse/model/cell_rules.h"

namespace vorpex::browse {

// The menu arrow the system draws in menus (OBM_MNARROW), loaded with LoadBitmap(NULL, ...).
inline constexpr WORD kMenuArrowBitmap = 32739;

inline RECT toRect(const Rect& r) {
    return {static_cast<LONG>(r.left), static_cast<LONG>(r.top), static_cast<LONG>(r.right),
            static_cast<LONG>(r.bottom)};
}
inline HDC dcOf(int64_t h) { return reinterpret_cast<HDC>(static_cast<intptr_t>(h)); }

void fillSolid(HDC dc, const Rect& r, COLORREF color);
void fillWith(HDC dc, const Rect& r, HBRUSH brush);
// A line from (x1, y) to (x2, y) or (x, y1) to (x, y2), end excluded, in `pen`.
void horizontalLine(HDC dc, HPEN pen, int64_t x1, int64_t x2, int64_t y);
void verticalLine(HDC dc, HPEN pen, int64_t x, int64_t y1, int64_t y2);
// Text in a box with the given DrawText flags (DT_MODIFYSTRING is never passed on), colours and font (0: the
// DC's own); the DC's font and colours are restored.
void drawTextIn(HDC dc, const std::string& text, const Rect& box, int64_t flags, COLORREF textColor,
                COLORREF paneColor, HFONT font);
void focusRect(HDC dc, const Rect& r);
// A plain box (1) or a raised one (2).
void drawBox(HDC dc, const Rect& r, bool raised);
// Image `image` (1-based) of a list, transparently on `background`; false when there is no such image.
bool drawListImage(HIMAGELIST list, int64_t image, HDC dc, int64_t x, int64_t y, int64_t width, int64_t height,
                   COLORREF background);
// Height of "B" in a font (the DC of the screen when none is given).
int64_t letterHeight(HFONT font);
int64_t textWidth(HFONT font, const std::string& text);

}  // namespace vorpex::browse
