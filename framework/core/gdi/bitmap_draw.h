// The bitmap drawing routines the painters, menus, tool bar and image list call. The transparent colour of a
// glyph is always the colour of its top-left pixel. Every routine that answers a bitmap makes a new one that
// the caller deletes. Windows only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "runtime/core/class.h"
#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

// A monochrome mask of the bitmap's size: 1 where it has its corner colour, 0 elsewhere.
HBITMAP VP_GetBmpMask(HBITMAP bitmap);

// Draws the bitmap into the inclusive rectangle in one of the five background modes (0 copy, 1 centred,
// 2 tiled, 3 stretched, 4 stretched with halftone). Answers 1 when the bitmap covers the rectangle; in modes
// 0 and 1 with a larger rectangle `rect` becomes the area drawn. A brush fills the rest first (not when
// tiling, which covers everything).
int VP_DrawBitmap(HDC dc, HBITMAP bitmap, RECT* rect, int mode, HBRUSH brush);

// The greyed look of a disabled glyph: the shape in the button shadow colour over a white copy shifted by
// (1, 1), on the button face colour (which stays in the corner, so the result draws transparent).
HBITMAP VP_GetBmpDisabled(HBITMAP bitmap);
// A copy whose corner-coloured pixels are `color`.
HBITMAP VP_GetBmpTransparent(HBITMAP bitmap, COLORREF color);
void VP_DrawBmpTransparent(HDC dc, int x, int y, HBITMAP bitmap);
void VP_DrawBmpDisabled(HDC dc, int x, int y, HBITMAP bitmap);
COLORREF RGB2QUAD(COLORREF color);

// A device-dependent bitmap from packed data (BITMAPINFOHEADER, colour table, bits) with greys 128, 192 and
// 223 of the table turned into the system's shadow, face and light colours.
HBITMAP CreateBitmapFromData(const void* packed);

// A two-band vertical gradient; with a border colour, inset by 2 with a light frame and a rounded outline.
void VP_CrystalFillV(HDC dc, const RECT& rect, COLORREF color1, COLORREF color2,
                     std::optional<COLORREF> border = std::nullopt);

// The area (left, top)-(right, bottom) of the window's client area (the screen for 0) as a new bitmap;
// without an area the whole client area.
HBITMAP VP_CaptureBitmap(HWND window, const std::optional<RECT>& area = std::nullopt);

SIZE bitmapSize(HBITMAP bitmap);
// Writes the bitmap as a .bmp file (created or replaced); false when any part could not be written.
bool saveBitmap(HBITMAP bitmap, const std::string& file);

// Method bodies for any object whose Handle is a bitmap: XBITMAP_GETSIZE sets nWidth and nHeight,
// XBITMAP_SAVE(cFile) -> logical.
rt::Value XBITMAP_GETSIZE(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XBITMAP_SAVE(rt::Object& self, const rt::Method& method, rt::Args args);

// VP_GETBMPMASK, VP_GETBMPTRANSPARENT, VP_DRAWBITMAP, VP_CAPTUREBITMAP, GETBITMAPDIMENSIONEX and CREATEBITMAP
// by name.
void registerBitmapDrawFunctions();

}  // namespace vorpex
