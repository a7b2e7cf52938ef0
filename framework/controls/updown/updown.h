// XUpDown: the spin control ("msctls_updown32"), a pair of arrows stepping a 32-bit value inside a range,
// optionally attached to a buddy control (normally an edit) whose text shows the value. Each step is offered to
// the program as OnChange(nPos, nDelta), which may refuse it. Range, accelerations and position live in
// properties and reach the window whenever it exists. TUpDown is its user class.
#pragma once

#include "framework/core/control/control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XUpDown : public TControl {
public:
    using TControl::TControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([oParent]) -> Self
    VP_METHODS(SetPos,       // (nPos) -> nPos, NIL when a disabled or read-only buddy refuses it
               GetPos,
               GetBuddy,
               SetBuddy,     // ([oBuddy]) -> oBuddy
               GetBase,
               SetBase,      // (nBase)
               GetRange,     // -> {nMin, nMax}
               SetRange,     // (nMin, nMax)
               GetAccel,     // -> {nSeconds, nIncrement} of the first acceleration
               SetAccel,     // (nSeconds, nIncrement) -> lAccepted
               GetAccels,    // -> {{nSeconds, nIncrement}, ...}
               SetAccels,    // () -> lAccepted, from aAccels
               SetBuddyAlign,
               SetOrientation,
               Notify)       // (wParam, lParam)

    static inline const EventRef OnChange{"OnChange"};

private:
    static inline int kMin = -1, kMax = -1, kAccels = -1, kAccelTime = -1, kIncrement = -1, kBase = -1,
                      kBuddyAlign = -1, kAutoBuddy = -1, kWrap = -1, kOrientation = -1, kSyncBuddy = -1,
                      kArrowKeys = -1, kNoThousands = -1, kHotTrack = -1, kBuddy = -1, kValue = -1;
    intptr_t send(unsigned message, intptr_t wParam = 0, intptr_t lParam = 0) const;
    rt::Value SetMinProperty(rt::Args args);
    rt::Value SetMaxProperty(rt::Args args);
    rt::Value SetAccelTimeProperty(rt::Args args);
    rt::Value SetIncrementProperty(rt::Args args);
    rt::Value SetAccelsProperty(rt::Args args);
    bool buddyRefuses() const;
};

using TUpDown = UserClass<XUpDown, "TUpDown">;

}  // namespace vorpex
