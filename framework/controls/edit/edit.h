// XEdit: the single-line text box over the system class "EDIT". Its text is its Value (cText is set the same
// way); a program's assignment never fires OnChange, the user's typing does. It colours itself apart when
// focused and when disabled, and has an insert/overwrite mode, toggled by the Insert key and shared by every
// edit. TEdit is its user class; XMemo (memo.h) builds the multi-line box on it.
#pragma once

#include <string>

#include "framework/core/control/std_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XEdit : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(GetSel, GetSelText, SetSel, GetMaxLength, SetMaxLength, GetPasswordChar, SetPasswordChar, SetCharCase,
               SetReadOnly, SetPassword, SetNumeric, SetAlignment, SetColorFocus, SetColorDisabled)
    VP_VIRTUALS(SetHScroll,
                GetValue,
                SetValue,    // (xValue, [lRaw])
                Change)
    VP_OVERRIDES(Free, Command, GetCtlColor, WMKeyDown, WMChar, WMSetFocus)

    static inline const EventRef OnChange{"OnChange"};

    // The mode every edit shares: insert (true) or overwrite.
    static bool insertMode();
    static void setInsertMode(bool on);

protected:
    // Sends an edit message to the window; 0 without one.
    intptr_t send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0) const;
    std::string windowText() const;
    // The style bit of a logical property: stored, then set in the style (ChangeCtlStyle).
    rt::Value setFlagStyle(int position, const rt::Value& argument, int64_t bit);
    // The caret of the current mode: thin in insert mode, a block in overwrite mode.
    void showModeCaret();

    static inline int kValue = -1, kClrPaneFocus = -1, kClrTextFocus = -1, kClrPaneDisabled = -1,
                      kClrTextDisabled = -1, kAlignment = -1, kReadOnly = -1, kHScroll = -1, kPassword = -1,
                      kNumeric = -1, kCharCase = -1, kPasswordChar = -1, kMaxLength = -1, kAutoSelect = -1,
                      kOnEntering = -1, kStopEvent = -1, kOriginal = -1, kBrushFocus = -1, kBrushDisabled = -1;

private:
    rt::Value SetColorPair(int textPosition, int panePosition, int brushPosition, rt::Args args);
};

using TEdit = UserClass<XEdit, "TEdit">;

}  // namespace vorpex
