// XMessageBox: a message box as an object: its text, caption, style, button texts, sound, centring and
// time-out are properties, and Execute shows it and answers the button pressed. TMessageBox is its user class.
#pragma once

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XMessageBox : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_METHODS(Execute)  // () -> the button pressed (IDOK 1 ... IDNO 7)

private:
    static inline int kText = -1, kTitle = -1, kStyle = -1, kTimeout = -1, kTimeoutResult = -1, kCenter = -1,
                      kAppModal = -1, kTaskModal = -1, kButtons = -1, kSoundFile = -1;
};

using TMessageBox = UserClass<XMessageBox, "TMessageBox">;

}  // namespace vorpex
