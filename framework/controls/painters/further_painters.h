// The painters of control kinds that the programs do not use but a window class may bind: the progress bar's
// erase, the folder page's background, the splitter with its gripper, the transparent track bar, the date
// edit's and the button edit's buttons, the explorer bar, the option list, the tab strip and the split button.
// Each reads the members it needs from Self by name (a binding class declares them) and leaves a DC it was
// handed as it came. Window-message methods (wParam, lParam, hWnd, nMsg) for the classes to bind. Windows only.
#pragma once

#include <windows.h>

#include "runtime/core/class.h"
#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

// WM_ERASEBKGND: the parent's static brush under an unthemed bar; answers 1 either way.
rt::Value XPROGRESSBAR_WMERASEBKGND(rt::Object& self, const rt::Method& method, rt::Args args);
// WM_ERASEBKGND or a paint: a transparent page, its bitmap or theme part over the scrolled virtual area, or
// its brush. Answers 1 for WM_ERASEBKGND, else 0.
rt::Value XFOLDERPAGE_WMERASEBKGND(rt::Object& self, const rt::Method& method, rt::Args args);
// WM_PAINT: the parent's static brush and the gripper by nAlign. Answers 0 for its own paint, 1 for a DC
// handed in.
rt::Value XSPLITTER_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
// A track bar's NM_CUSTOMDRAW (the NMCUSTOMDRAW record at `header`): the custom-draw answer, or NIL when
// none is due.
rt::Value XTrackBar_Notify(rt::Object& self, intptr_t header);
// WM_PAINT of a date edit: the edit part, then the drop-down button (pressed while lDropped). Answers 0.
rt::Value XDATEEDIT_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
// WM_PAINT of an edit with a button (nStyle 1 picture, 2 ellipsis, 3 drop-down arrow). Answers 0.
rt::Value XEDITBTN_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);

// WM_PAINT (headers, icons, captions and buttons too) or WM_PRINTCLIENT (pane and bodies only). Answers 0.
rt::Value XEXPLORERBAR_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XOPTIONLIST_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XTABS_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XSPLITBUTTON_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);

}  // namespace vorpex
