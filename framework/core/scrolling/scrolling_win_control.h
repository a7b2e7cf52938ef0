// XScrollingWinControl: a container whose content may be larger than its client area. It takes the content's
// size from its children (or from the program), shows window scroll bars when the content does not fit,
// scrolls by moving the client origin (children sit at their nLeft/nTop plus the origin) and lets the program
// decide every scroll step through events. Forms derive from it. TScrollingWinControl is its user class.
// Windows only; its arithmetic is in scroll_math.h.
//
// The virtual size follows the children as they are inserted and removed; a child moved or resized afterwards
// counts again at the next SetAutoScroll().
#pragma once

#include "framework/core/control/win_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/scrolling/scroll_math.h"

namespace vorpex {

class XScrollingWinControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(Adjust,            // ([lRedraw]) -> whether the origin moved
               VAdjust,           // ([lRedraw]) -> whether the origin moved
               HAdjust,
               InsertControl,
               RemoveControl,
               SetAutoScroll,     // ([l])
               SetVirtualBounds,  // ([nLeft], [nTop], [nWidth], [nHeight])
               SetVirtualSize,    // ([nWidth], [nHeight])
               AlignControls,
               WMVScroll,
               WMHScroll,
               WMMouseWheel,
               WMSize)
    VP_PROTECTED(ProcessControl)  // (o)

    static inline const EventRef OnScrollLeft{"OnScrollLeft"}, OnScrollRight{"OnScrollRight"},
        OnScrollPageLeft{"OnScrollPageLeft"}, OnScrollPageRight{"OnScrollPageRight"},
        OnThumbTrackH{"OnThumbTrackH"}, OnThumbPosH{"OnThumbPosH"}, OnScrollUp{"OnScrollUp"},
        OnScrollDown{"OnScrollDown"}, OnScrollPageUp{"OnScrollPageUp"}, OnScrollPageDown{"OnScrollPageDown"},
        OnThumbTrackV{"OnThumbTrackV"}, OnThumbPosV{"OnThumbPosV"};

    bool lAutoScroll() const { return field(kAutoScroll).asLogical(); }
    int64_t nVirtualWidth() const { return field(kVirtualWidth).asInteger(); }
    int64_t nVirtualHeight() const { return field(kVirtualHeight).asInteger(); }
    bool lVScroll() const { return field(kVScroll).asLogical(); }
    bool lHScroll() const { return field(kHScroll).asLogical(); }

protected:
    static inline int kAutoScroll = -1, kIncrement = -1, kVScroll = -1, kHScroll = -1, kExtraHeight = -1,
                      kExtraWidth = -1, kVirtualWidth = -1, kVirtualHeight = -1;

private:
    bool adjustAxis(bool vertical, bool redraw);
    rt::Value scroll(bool vertical, rt::Args args);
    void moveOrigin(bool vertical, int64_t oldPosition, int64_t newPosition);
    // Adjust, and the children follow when the origin moved.
    void adjustAndFollow();
    rt::Value SetClientLeftProperty(rt::Args args);
    rt::Value SetClientTopProperty(rt::Args args);
    rt::Value SetVirtualWidthProperty(rt::Args args);
    rt::Value SetVirtualHeightProperty(rt::Args args);

    bool adjusting_ = false;  // a scroll bar appearing resizes the client area, which adjusts again
};

using TScrollingWinControl = UserClass<XScrollingWinControl, "TScrollingWinControl">;

}  // namespace vorpex
