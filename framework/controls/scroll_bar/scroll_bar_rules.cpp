#include "framework/controls/scroll_bar/scroll_bar_rules.h"

namespace vorpex::sbar {

std::optional<Move> scrollMove(int action, std::optional<int64_t> answer, const scroll::BarState& bar) {
    Move move;
    switch (action) {
        case scroll::kLineUp:
        case scroll::kPageUp:
        case scroll::kLineDown:
        case scroll::kPageDown: {
            const bool line = action == scroll::kLineUp || action == scroll::kLineDown;
            const bool up = action == scroll::kLineUp || action == scroll::kPageUp;
            move.kind = up ? Move::Up : Move::Down;
            move.amount = answer.value_or(line ? 1 : bar.page);
            move.announced = scroll::clampPosition(bar.position + (up ? -move.amount : move.amount), bar);
            return move;
        }
        case scroll::kThumbPosition:
        case scroll::kThumbTrack:
            move.kind = Move::To;
            move.amount = answer.value_or(bar.track);
            move.announced = scroll::clampPosition(move.amount, bar);
            return move;
        default:
            return std::nullopt;
    }
}

}  // namespace vorpex::sbar
