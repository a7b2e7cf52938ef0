// Decisions of a form that need no window: the Return and Escape keys, the tracking limits of WM_GETMINMAXINFO
// and the status bar's state around a menu selection.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/core/value.h"

namespace vorpex {

enum class KeyAction {
    None,         // not handled: the default processing runs
    Swallow,      // handled, nothing else happens (0)
    ClickDefault,
    ClickCancel,
    NextControl,  // Application:lUseReturn: Return moves on like Tab
    CloseForm,
};

// Return: a usable default button is clicked unless the active control refuses to be left (its Valid answered
// false); either way the key is used up. Without one, lUseReturn moves to the next control.
KeyAction returnKeyAction(bool defaultUsable, bool activeControlLetsGo, bool useReturn);
// Escape: a usable cancel button is clicked; otherwise a dialog form with a close box closes.
KeyAction escapeKeyAction(bool cancelUsable, bool dialogStyle, bool closeBox);

// The parts of MINMAXINFO a form sets, in pixels.
struct MinMaxInfo {
    int32_t maxSizeX = 0, maxSizeY = 0;
    int32_t maxPositionX = 0, maxPositionY = 0;
    int32_t minTrackX = 0, minTrackY = 0;
    int32_t maxTrackX = 0, maxTrackY = 0;
};
struct SizeLimits {
    int64_t minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0, maxPosX = 0, maxPosY = 0;
};
// The form's minimum and maximum tracking sizes and maximised position; a zero value keeps the system's.
// True when anything was set.
bool applySizeLimits(MinMaxInfo& info, const SizeLimits& limits);

// The status bar while a menu item is selected: switched to simple mode showing the item's message, its own
// mode and text remembered once and put back when the menu closes.
class MenuStatusMemory {
public:
    // Before showing an item's message: true the first time (remember now).
    bool shouldRemember() const { return !saved_; }
    void remember(bool simple, rt::Value text) {
        saved_ = true;
        simple_ = simple;
        text_ = std::move(text);
    }
    // When the menu closes: whether there is something to put back (then forget it).
    bool takeBack(bool& simple, rt::Value& text) {
        if (!saved_) return false;
        saved_ = false;
        simple = simple_;
        text = std::move(text_);
        return true;
    }

private:
    bool saved_ = false;
    bool simple_ = false;
    rt::Value text_;
};

}  // namespace vorpex
