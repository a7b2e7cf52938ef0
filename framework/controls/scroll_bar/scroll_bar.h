// XScrollBar: the scroll-bar control ("SCROLLBAR"), horizontal or vertical. Its range, page and position
// live in properties and are pushed into the window when it exists; each scroll action of the user is
// offered to an event that may change the step or the target, then to OnChange, which may veto the move.
// It has no separate user class.
#pragma once

#include "framework/core/control/std_control.h"

namespace vorpex {

class XScrollBar : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();

    static inline const EventRef OnUp{"OnUp"}, OnDown{"OnDown"}, OnPageUp{"OnPageUp"}, OnPageDown{"OnPageDown"},
        OnThumbPos{"OnThumbPos"}, OnThumbTrack{"OnThumbTrack"}, OnChange{"OnChange"};

    int64_t nPos() const { return field(kPos).asInteger(); }

    rt::Value Create(rt::Args args) override;
    rt::Value Inc(rt::Args args);        // ([n]) -> nPos
    rt::Value Dec(rt::Args args);        // ([n]) -> nPos
    rt::Value SetRange(rt::Args args);   // ([nMin], [nMax]) -> {nMin, nMax}
    rt::Value SetPos(rt::Args args);     // ([nPos], [lFire]) -> nPos
    rt::Value SetPage(rt::Args args);    // ([nPage]) -> the previous page
    rt::Value UpdateInfo(rt::Args args);
    rt::Value GetScrollBarColor(rt::Args args);  // GetCtlColor(hDC)
    rt::Value EnableButton(rt::Args args);       // (nArrows) -> lDone
    rt::Value WMScroll(rt::Args args);           // WMHScroll and WMVScroll (wParam, lParam)

private:
    static inline int kOrientation = -1, kPos = -1, kMin = -1, kMax = -1, kPage = -1, kDisableNoScroll = -1;
    rt::Value SetMinProperty(rt::Args args);
    rt::Value SetMaxProperty(rt::Args args);
    rt::Value SetPosProperty(rt::Args args);
    bool disableNoScroll() const { return field(kDisableNoScroll).asLogical(); }
};

}  // namespace vorpex
