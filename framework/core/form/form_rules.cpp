#include "framework/core/form/form_rules.h"

namespace vorpex {

KeyAction returnKeyAction(bool defaultUsable, bool activeControlLetsGo, bool useReturn) {
    if (defaultUsable) return activeControlLetsGo ? KeyAction::ClickDefault : KeyAction::Swallow;
    return useReturn ? KeyAction::NextControl : KeyAction::None;
}

KeyAction escapeKeyAction(bool cancelUsable, bool dialogStyle, bool closeBox) {
    if (cancelUsable) return KeyAction::ClickCancel;
    if (dialogStyle && closeBox) return KeyAction::CloseForm;
    return KeyAction::None;
}

namespace {

// A zero keeps what the system put there: a form that limits only its width must not have its height limited
// to nothing.
bool setPair(int32_t& x, int32_t& y, int64_t wantX, int64_t wantY) {
    if (!wantX && !wantY) return false;
    if (wantX) x = static_cast<int32_t>(wantX);
    if (wantY) y = static_cast<int32_t>(wantY);
    return true;
}

}  // namespace

bool applySizeLimits(MinMaxInfo& info, const SizeLimits& l) {
    const bool min = setPair(info.minTrackX, info.minTrackY, l.minWidth, l.minHeight);
    const bool max = setPair(info.maxTrackX, info.maxTrackY, l.maxWidth, l.maxHeight);
    const bool pos = setPair(info.maxPositionX, info.maxPositionY, l.maxPosX, l.maxPosY);
    return min || max || pos;
}

}  // namespace vorpex
