// The containers the framework paints itself, each a window of the framework's own class with no Windows
// control behind it: XGroupBox (TGroupBox), a captioned frame that groups controls and never takes the
// focus; XBevel (TBevel), a framed area without text; XPanel (TPanel), a container with a raised or sunken
// double bevel in its non-client area, or the toolbar's visual-style look.
#pragma once

#include "framework/core/control/win_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XGroupBox : public TWinControl {
public:
    using TWinControl::TWinControl;
    static const rt::Class& classRecord();
};

using TGroupBox = UserClass<XGroupBox, "TGroupBox">;

class XBevel : public TWinControl {
public:
    using TWinControl::TWinControl;
    static const rt::Class& classRecord();
};

using TBevel = UserClass<XBevel, "TBevel">;

class XPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(SetXPLook)  // ([lOn]) -> Self
    VP_PROTECTED(RefreshBorder)

private:
    static inline int kBevelOuter = -1, kBevelInner = -1, kXPLook = -1;
    rt::Value SetBevelOuter(rt::Args args);
    rt::Value SetBevelInner(rt::Args args);
};

using TPanel = UserClass<XPanel, "TPanel">;

}  // namespace vorpex
