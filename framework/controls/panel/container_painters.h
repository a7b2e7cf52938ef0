// The painters of the framework-painted containers: the group box (frame with its caption), the panel (its
// client area, and its two bevels in the non-client area). Window-message methods (wParam, lParam, hWnd,
// nMsg) for the classes to bind. Windows only.
#pragma once

#include "runtime/core/class.h"
#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

rt::Value XGROUPBOX_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XGROUPBOX_WMPRINTCLIENT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XPANEL_WMPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XPANEL_WMNCPAINT(rt::Object& self, const rt::Method& method, rt::Args args);
rt::Value XPANEL_WMNCCALCSIZE(rt::Object& self, const rt::Method& method, rt::Args args);

}  // namespace vorpex
