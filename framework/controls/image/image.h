// XImage: a picture (TPicture) in a scrolling window, shown at a zoom with scroll bars for the part that does
// not fit, or fitted into the control (lAutoFit), optionally with its corner colour transparent and smoothed
// when stretched. TImage is its user class.
//
// Ownership: the control owns only the pictures it makes itself, from a file or resource name given to
// oPicture; it destroys such a picture when another replaces it and when the control is freed. A picture
// object handed to it stays its giver's: the control holds a reference while it shows it and never destroys
// it, so two controls may share one picture, and giving a control its own picture again changes nothing.
#pragma once

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/scrolling/scrolling_win_control.h"

namespace vorpex {

class XImage : public TScrollingWinControl {
public:
    using TScrollingWinControl::TScrollingWinControl;
    static const rt::Class& classRecord();
    VP_METHODS(SetPicture,     // (x) -> the picture shown: an object, or one made from a name; NIL for none
               SetZoom,        // (nZoom) -> nZoom; 5 to 20000, others ignored
               SetAutoFit,     // ([lAutoFit]) -> lAutoFit
               AlignControls)  // repaints, then places the children
    VP_OVERRIDES(Free, WMLButtonDown)

    const rt::Value& oPicture() const { return field(kPicture); }
    int64_t nZoom() const { return field(kZoom).asInteger(); }
    bool lAutoFit() const { return field(kAutoFit).asLogical(); }

private:
    static inline int kPicture = -1, kZoom = -1, kSmooth = -1, kAutoFit = -1;

    // The virtual size the picture, the zoom and the fitting give.
    void updateVirtualSize();
    // Lets go of the picture shown, destroying it when the control made it.
    void dropPicture();

    bool ownsPicture_ = false;
};

using TImage = UserClass<XImage, "TImage">;

}  // namespace vorpex
