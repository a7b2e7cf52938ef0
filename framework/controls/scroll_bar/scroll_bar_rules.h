// The scroll bar control's decisions, apart from windows: what one scroll action of the user moves to, and
// which position the bar really ends at.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/core/scrolling/scroll_math.h"

namespace vorpex::sbar {

// What a scroll action does: the position announced to OnChange (the one the bar will really hold) and how
// the bar gets there: by a step up or down, or to a target.
struct Move {
    enum Kind { Up, Down, To } kind = To;
    int64_t amount = 0;     // the step for Up and Down, the target for To
    int64_t announced = 0;  // the position the bar will have afterwards
    friend bool operator==(const Move&, const Move&) = default;
};

// SB_LINEUP .. SB_THUMBTRACK: a line is one step, a page the page size, the thumb its track position; a
// numeric answer of the action's first event replaces the step or the target. Nothing for other actions.
std::optional<Move> scrollMove(int action, std::optional<int64_t> eventAnswer, const scroll::BarState& bar);

}  // namespace vorpex::sbar
