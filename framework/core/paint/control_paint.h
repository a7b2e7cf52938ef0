// The painting frame of controls that draw themselves or paint over a custom or transparent background: a
// paint is begun, OnPaint is offered the device context, the default drawing runs unless OnPaint declined it,
// OnPainted follows and the paint is ended. Paints the frame begins itself are double-buffered. Also the
// shared drawing helpers (parent background, control background, control text) and the window-message
// methods the control classes bind. Windows only.
#pragma once

#include <windows.h>

#include "runtime/core/class.h"
#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

// One paint between VP_ControlBeginPaint and VP_ControlEndPaint. The double buffer belongs to the paint, not
// to the process, so an OnPaint handler that lets another control paint (ProcessMessages, UpdateWindow,
// a message box) nests a second paint safely.
struct ControlPaintState {
    HDC hDC = nullptr;
    int dcHandedIn = 0;  // 1: the caller passed the DC; no Windows paint is begun or ended here
    PAINTSTRUCT ps{};
    int paintDefault = 0;
    // The double buffer: the window's paint DC, the memory DC, its bitmap and the bitmap it held before.
    HDC windowDC = nullptr;
    HDC memoryDC = nullptr;
    HBITMAP memoryBitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
};

// BeginPaint plus a memory DC with a bitmap of rcPaint.right x rcPaint.bottom; answers the DC to draw into.
// When the update rectangle is empty the window's DC itself is answered (no buffer).
HDC VP_BeginBufferedPaint(HWND window, ControlPaintState& state);
// Copies the buffer to the window in one BitBlt, releases it and ends the Windows paint.
BOOL VP_EndBufferedPaint(HWND window, ControlPaintState& state);

// Begins the frame: the DC handed in or a buffered paint; fires OnPaint(hDC, address of the PAINTSTRUCT);
// answers the paint-default flag.
int VP_ControlBeginPaint(rt::Object& control, HWND window, ControlPaintState& state, HDC given);
// Fires OnPainted when the default ran, ends a paint begun by the frame, calls PaintSelected.
void VP_ControlEndPaint(rt::Object& control, HWND window, ControlPaintState& state);

// Paints the parent's client background under the control into `dc` (WM_PRINTCLIENT to the parent with the
// viewport moved), from `screenPoint` (the control's window corner when null).
void VP_DrawParentBackground(HWND window, HDC dc, const POINT* screenPoint);
// The control's background over `rect`: the parent's when lTransparent, else its background bitmap in
// nBkgndMode (scrolled by the client origin) or its GetCtlColor brush.
void VP_DrawControlBackground(rt::Object& control, HDC dc, const RECT& rect);
// cText with the control's font and nClrText, aligned by nAlignment and nVAlignment.
void VP_DrawControlText(rt::Object& control, HDC dc, const RECT& rect, UINT format);
// The hook every paint ends with; it does nothing.
void PaintSelected();
// Whether visual styles are in use.
bool lThemesEnabled();

// Window-message methods (wParam, lParam, hWnd, nMsg) for the control classes to bind.
rt::Value XCONTROL_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XCONTROL_WMPRINTCLIENT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XCONTROL_WMNCPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XCONTROL_WMNCCALCSIZE(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XWINCONTROL_WMERASEBKGND(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XCONTROL_ERASEANDPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XCONTROL_ERASESOLIDANDPAINT(rt::Object& self, const rt::Method& method, rt::Args args);

}  // namespace vorpex
