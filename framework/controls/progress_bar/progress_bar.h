// XProgressBar: the common-controls progress bar ("msctls_progress32"). Its position, step, range and
// colours live in properties and are sent to the window whenever it exists; Create sends what was stored
// before. On Vista and later the bar is made to jump to a new position instead of animating towards it.
// TProgressBar is its user class.
#pragma once

#include "framework/core/control/control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XProgressBar : public TControl {
public:
    using TControl::TControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(SetPos,       // (nPos, [lNotify]) -> nPos
               GetPos,
               DeltaPos,
               SetStep,
               StepIt,
               SetRange,     // (nMin, nMax)
               GetRange,     // -> {nLow, nHigh}
               SetBarColor,
               SetBkColor)

    static inline const EventRef OnChange{"OnChange"};

    int64_t nValue() const { return field(kValue).asInteger(); }
    int64_t nStep() const { return field(kStep).asInteger(); }
    int64_t nMin() const { return field(kMin).asInteger(); }
    int64_t nMax() const { return field(kMax).asInteger(); }

private:
    static inline int kValue = -1, kStep = -1, kMin = -1, kMax = -1, kOrientation = -1, kSmooth = -1;
    rt::Value SetMinProperty(rt::Args args);
    rt::Value SetMaxProperty(rt::Args args);
    int64_t send(unsigned message, int64_t wParam = 0, int64_t lParam = 0);
};

using TProgressBar = UserClass<XProgressBar, "TProgressBar">;

}  // namespace vorpex
