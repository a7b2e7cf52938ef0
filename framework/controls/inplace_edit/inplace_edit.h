// XInplaceEdit: an object over a child window that another control owns (most often the edit part of a
// drop-down combo box). It makes no window: it links itself to the existing one and hands its keyboard,
// mouse, menu and focus messages to its parent control, so that the parent behaves as one control whether
// the user works in its frame or in the inner window. TInplaceEdit is its user class.
#pragma once

#include "framework/core/control/control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XInplaceEdit : public TControl {
public:
    using TControl::TControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // (oParent, hWnd) -> Self
    VP_OVERRIDES(WMSetFocus, WMKillFocus)

private:
    rt::Value focusChange(unsigned message, const char* parentMethod, rt::Args args);
};

using TInplaceEdit = UserClass<XInplaceEdit, "TInplaceEdit">;

}  // namespace vorpex
