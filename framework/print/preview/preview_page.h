// XPreviewPage: the page view of the print preview. It shows one recorded page (an enhanced metafile) at a
// zoom or fitted to the view, scrolls over it, zooms in and out at a click or with the keypad, and hands the
// page keys to its owner through events. TPreviewPage is its user class. Windows only; where the page goes
// and how the zoom steps is decided in preview_rules.h.
#pragma once

#include <cstdint>

#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/scrolling/scrolling_win_control.h"
#include "framework/print/preview/preview_rules.h"

namespace vorpex {

class XPreviewPage : public TScrollingWinControl {
public:
    using TScrollingWinControl::TScrollingWinControl;
    static const rt::Class& classRecord();
    static inline const EventRef OnZoomIn{"OnZoomIn"}, OnZoomOut{"OnZoomOut"}, OnZoomChanged{"OnZoomChanged"},
        OnFirstPage{"OnFirstPage"}, OnPrevPage{"OnPrevPage"}, OnNextPage{"OnNextPage"}, OnLastPage{"OnLastPage"};

    VP_CONSTRUCTORS(New,     // (oParent, oPrinter) -> Self
                    Create)  // (oParent, oPrinter) -> Self
    VP_OVERRIDES(Free, WMKeyDown, WMLButtonDown, WMRButtonDown)
    VP_METHODS(ZoomIn,       // ([nX], [nY]): the zoom OnZoomIn answers, else twice the zoom
               ZoomOut,      // ([nX], [nY])
               SetEmf,       // (oEmf): the page shown; an empty argument answers the current one
               SetEmfCoors,  // ([nX], [nY]): lays the page out again, around a clicked point when given
               WMPaint, WMEraseBkgnd, WMSize, WMSetCursor, WMKeyUp)

    double zoom() const { return field(kZoomFactor).asDouble(); }
    int fitMode() const { return static_cast<int>(field(kFitInPage).asInteger()); }
    const rt::Value& oEmf() const { return field(kEmf); }
    preview::PageLayout layout() const;

private:
    static inline int kPrinterRes = -1, kLandscape = -1, kAspectRatio = -1, kEmfTop = -1, kEmfLeft = -1,
                      kEmfWidth = -1, kEmfHeight = -1, kEmfHorz100 = -1, kEmfVert100 = -1, kOffsetX = -1,
                      kOffsetY = -1, kOffsetX100 = -1, kOffsetY100 = -1, kCursor2 = -1, kZoomFactor = -1,
                      kFitInPage = -1, kEmf = -1, kPrinter = -1, kZoomInCursor = -1;

    rt::Value SetZoomFactor(rt::Args args);
    rt::Value SetFitInPage(rt::Args args);
    rt::Value takePrinter(rt::Args args);
    preview::PageFacts facts() const;
    rt::Value zoomBy(bool in, rt::Args args);
    void paintPage(intptr_t window, intptr_t dc);
    void scrollBy(int64_t dx, int64_t dy);
    void refreshCursor();
};

using TPreviewPage = UserClass<XPreviewPage, "TPreviewPage">;

}  // namespace vorpex
