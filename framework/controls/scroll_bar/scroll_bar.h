// XScrollBar: the scroll-bar control ("SCROLLBAR"), horizontal or vertical. Its range, page and position
// live in properties and are pushed into the window when it exists; each scroll action of the user is
// offered to an event that may change the step or the target, then to OnChange, which may veto the move.
// It has no separate user class.
#pragma once

#include "framework/core/control/std_control.h"
#include "framework/core/object/members.h"

namespace vorpex {

class XScrollBar : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(Inc,           // ([n]) -> nPos
               Dec,           // ([n]) -> nPos
               SetRange,      // ([nMin], [nMax]) -> {nMin, nMax}
               SetPos,        // ([nPos], [lFire]) -> nPos
               SetPage,       // ([nPage]) -> the previous page
               UpdateInfo,
               EnableButton)  // (nArrows) -> lDone
    VP_OVERRIDES(GetCtlColor)

    static inline const EventRef OnUp{"OnUp"}, OnDown{"OnDown"}, OnPageUp{"OnPageUp"}, OnPageDown{"OnPageDown"},
        OnThumbPos{"OnThumbPos"}, OnThumbTrack{"OnThumbTrack"}, OnChange{"OnChange"};

    int64_t nPos() const { return field(kPos).asInteger(); }

    rt::Value WMScroll(rt::Args args);           // WMHScroll and WMVScroll (wParam, lParam)

private:
    static inline int kOrientation = -1, kPos = -1, kMin = -1, kMax = -1, kPage = -1, kDisableNoScroll = -1;
    rt::Value SetMinProperty(rt::Args args);
    rt::Value SetMaxProperty(rt::Args args);
    rt::Value SetPosProperty(rt::Args args);
    bool disableNoScroll() const { return field(kDisableNoScroll).asLogical(); }
};

}  // namespace vorpex
