// A window's scroll bars (SB_HORZ 0, SB_VERT 1) or a scroll-bar control (SB_CTL 2), set and read in one place;
// the callable functions SETSCROLLPOS, GETSCROLLPOS, SETSCROLLRANGE, GETSCROLLRANGE, SETSCROLLPAGE,
// GETSCROLLPAGE, SETSCROLLINFO, GETSCROLLINFO, SHOWSCROLLBAR and ENABLESCROLLBAR are built on it. Windows only;
// handles cross as integers.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/core/scrolling/scroll_math.h"

namespace vorpex::sbar {

inline constexpr int kHorizontalBar = 0, kVerticalBar = 1, kControlBar = 2;

// The parts given are set (a range needs either end; the other goes as 0); answers the position the bar has
// afterwards.
struct ScrollParts {
    std::optional<int64_t> min, max, page, position;
    bool disableNoScroll = false;
    bool redraw = true;
    static ScrollParts range(int64_t min, int64_t max, bool disableNoScroll) {
        ScrollParts p;
        p.min = min;
        p.max = max;
        p.disableNoScroll = disableNoScroll;
        return p;
    }
    static ScrollParts pageOf(int64_t page, bool disableNoScroll) {
        ScrollParts p;
        p.page = page;
        p.disableNoScroll = disableNoScroll;
        return p;
    }
    static ScrollParts positionAt(int64_t position, bool disableNoScroll) {
        ScrollParts p;
        p.position = position;
        p.disableNoScroll = disableNoScroll;
        return p;
    }
};
int64_t setScrollParts(intptr_t window, int bar, const ScrollParts& parts);
// Everything the bar holds; nothing when the window has no such bar.
std::optional<scroll::BarState> scrollState(intptr_t window, int bar);

void registerScrollFunctions();

}  // namespace vorpex::sbar
