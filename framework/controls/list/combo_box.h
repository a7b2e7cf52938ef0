// XComboBox: the combo box ("ComboBox"), as a drop-down with an edit part (nStyle 0) or a drop-down list (1).
// Its items live in aItems and in the window (see item_model.h); a drop-down adopts its edit part as an
// in-place editor, so the combo box behaves as one control whether the user works in its frame or in its
// edit. TComboBox is its user class.
#pragma once

#include "framework/core/control/std_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XComboBox : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(Change,                 // (nNew) -> OnChange's answer
               SetIndex,
               GetIndex,
               GetText,                // ([nPos])
               SelectString,           // (cText, [nStart])
               SetStyle,
               SetDroppedHeight,
               SetDroppedWidth,
               SetExtendedUI,
               GetExtendedUI,
               SetMaxLength,
               GetMaxLength,
               GetEditCtrl,
               GetInfo,
               GetDroppedControlRect,
               WMSize)
    VP_OVERRIDES(Free, WMSetFocus, Command, WMKillFocus, WMKeyDown, SetText)

    static inline const EventRef OnDropDown{"OnDropDown"}, OnCloseUp{"OnCloseUp"}, OnEditChange{"OnEditChange"},
        OnEditUpdate{"OnEditUpdate"}, OnChange{"OnChange"}, OnDblClick{"OnDblClick"};

    intptr_t editWindow() const;

private:
    static inline int kItems = -1, kIndex = -1, kComboText = -1, kExtendedUI = -1, kDroppedWidth = -1,
                      kDroppedHeight = -1, kStyle = -1, kSort = -1, kAutoHScroll = -1, kMaxLength = -1,
                      kEditField = -1;
    intptr_t send(unsigned message, intptr_t wParam = 0, intptr_t lParam = 0) const;
    int64_t curSel() const;
    // The height of the selection field.
    int64_t fieldHeight() const;
    bool fromOwnEdit(const rt::Value& other) const;
};

using TComboBox = UserClass<XComboBox, "TComboBox">;

}  // namespace vorpex
