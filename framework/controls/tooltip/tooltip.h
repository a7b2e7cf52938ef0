// XToolTip: one window of the common tool-tip control. The application keeps one tool tip and one balloon;
// controls register themselves as whole windows or as rectangle zones (AddTool, SetToolInfo, DelTool) and
// the tip asks them for their text each time it shows. Show puts up a tracking tip at a point on demand.
// XBalloon is the same with the balloon style; whether a tip is a balloon decides which text of a control it
// reads (cBalloon or cTooltip). TToolTip and TBalloon are their user classes.
#pragma once

#include "framework/controls/tooltip/tip_rules.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

class XToolTip : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([oParent]) -> Self
    VP_METHODS(SetAlwaysTip,    // ([lOn]) -> lAlwaysTip
               SetCloseButton,  // ([lOn]) -> lCloseButton
               AddTool,         // (oControl, [aRect], [nId])
               SetToolInfo,     // (oControl, [aRect], [nId])
               DelTool,         // (oControl, [nId])
               Show,            // ([nX], [nY], [oControl])
               Hide,
               Notify,          // (wParam, lParam)
               WMShowWindow,
               WMLButtonUp)
    VP_OVERRIDES(Destroy)  // ([lFree]) -> Self

    static inline const EventRef OnShow{"OnShow"}, OnHide{"OnHide"}, OnLinkClick{"OnLinkClick"};

    bool isBalloon() const;

protected:
    static inline int kCtlStyle = -1, kText = -1, kTitle = -1, kIcon = -1, kAlwaysTip = -1, kCloseButton = -1;

private:
    rt::Value sendTool(unsigned message, rt::Args args);
    void applyTitle(const rt::Value& control);
};

using TToolTip = UserClass<XToolTip, "TToolTip">;

class XBalloon : public TToolTip {
public:
    using TToolTip::TToolTip;
    static const rt::Class& classRecord();
};

using TBalloon = UserClass<XBalloon, "TBalloon">;

}  // namespace vorpex
