// XButton: the push button over the system class "BUTTON". A click fires OnClick and, when the button carries
// a modal result and OnClick did not answer false, stores that result in its form and closes the form. A
// button can be its form's default (Enter) or cancel (Escape) button; a cancel button takes the focus on a
// press without validating the control that had it. TButton is its user class.
#pragma once

#include "framework/core/control/std_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XButton : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(GetPushed, SetPushed, SetImage, GetImage)
    VP_OVERRIDES(Click, ShortCut, WMKillFocus, WMKeyDown, WMChar, WMLButtonDown, WMLButtonUp)

    int64_t nModalResult() const { return field(kModalResult).asInteger(); }
    bool lDefault() const { return field(kDefault).asLogical(); }
    bool lCancel() const { return field(kCancel).asLogical(); }

private:
    static inline int kDefault = -1, kCancel = -1, kModalResult = -1, kPushed = -1, kAlignment = -1,
                      kVAlignment = -1, kMultiLine = -1, kPrevCtrl = -1;
    rt::Value SetDefault(rt::Args args);
    rt::Value SetCancel(rt::Args args);
    rt::Value SetAlignment(rt::Args args);
    rt::Value SetVAlignment(rt::Args args);
    rt::Value SetMultiLine(rt::Args args);
    // Makes the form's oDefaultButton / oCancelButton this button, or lets go of it.
    void registerWithForm(const char* member, bool on);
};

using TButton = UserClass<XButton, "TButton">;

}  // namespace vorpex
