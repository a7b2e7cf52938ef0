// The painters of the standard controls that Windows draws but the framework corrects: the button (check
// boxes and radio buttons drawn by the framework when visual styles are off), the edit (a disabled edit in
// its normal colours), the combo box (its edit part first when themed) and the list box printing itself.
// Window-message methods (wParam, lParam, hWnd, nMsg) for the classes to bind. Windows only.
#pragma once

#include "runtime/core/class.h"
#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

// Notify of a button and of a group box: a button's custom draw gets the themed parent background under it.
rt::Value XBUTTON_NOTIFY(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XBUTTON_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XEDIT_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XCOMBOBOX_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XLISTBOX_WMPRINTCLIENT(rt::Object& self, const rt::Method& method, rt::Args args);

}  // namespace vorpex
