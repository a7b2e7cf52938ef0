// TMDIClient: the client area of an MDI frame form, which holds the MDI child forms. It exists only as this
// user class. Windows only.
#pragma once

#include "framework/core/control/win_control.h"

namespace vorpex {

class TMDIClient : public TWinControl {
public:
    using TWinControl::TWinControl;
    static const rt::Class& classRecord();

    rt::Value Create(rt::Args args) override;  // (oFrame)
    rt::Value InsertForm(rt::Args args);
    rt::Value RemoveForm(rt::Args args);
    rt::Value SetActiveForm(rt::Args args);
    rt::Value Tile(rt::Args args);  // ([n]) WM_MDITILE
    rt::Value TileHorizontal(rt::Args args);
    rt::Value TileVertical(rt::Args args);
    rt::Value Cascade(rt::Args args);
    rt::Value Next(rt::Args args);
    rt::Value Previous(rt::Args args);
    rt::Value ArrangeIcons(rt::Args args);
    rt::Value MaximizeAll(rt::Args args);
    rt::Value MinimizeAll(rt::Args args);
    rt::Value CloseAll(rt::Args args);

private:
    static inline int kForms = -1, kActiveForm = -1;
    rt::Value send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
    std::vector<rt::Value> forms() const;
};

}  // namespace vorpex
