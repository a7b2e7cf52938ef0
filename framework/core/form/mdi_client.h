// TMDIClient: the client area of an MDI frame form, which holds the MDI child forms. It exists only as this
// user class. Windows only.
#pragma once

#include "framework/core/control/win_control.h"
#include "framework/core/object/members.h"

namespace vorpex {

class TMDIClient : public TWinControl {
public:
    using TWinControl::TWinControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // (oFrame)
    VP_METHODS(InsertForm,
               RemoveForm,
               SetActiveForm,
               Tile,            // ([n]) WM_MDITILE
               TileHorizontal,
               TileVertical,
               Cascade,
               Next,
               Previous,
               ArrangeIcons,
               MaximizeAll,
               MinimizeAll,
               CloseAll)

private:
    static inline int kForms = -1, kActiveForm = -1;
    rt::Value send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
    std::vector<rt::Value> forms() const;
};

}  // namespace vorpex
