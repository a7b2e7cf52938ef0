// A grid following its row source after the source moved on its own: a data set that moved (a navigator, a
// program, a linked control) tells the grid what it did, and the grid puts its marker, position and bar in
// step and repaints only what changed. The moves the grid makes itself never come here.
#pragma once

#include <cstdint>

#include "framework/browse/model/viewport.h"

namespace vorpex::browse {

class Follower {
public:
    Follower(RowSource& source, GridPort& port, Viewport& view) : source_(source), port_(port), view_(view) {}

    // The source went to its first row, to its last, or to some row by number or key position.
    void toTop();
    void toBottom();
    void jumped();
    // `keyboard`: the skip came from a key press, so a skip that found no row past the end offers an append.
    void skipped(int64_t asked, int64_t moved, bool keyboard);

private:
    void skippedDown(int64_t moved, bool keyboard);
    void skippedUp(int64_t moved);
    void pagedUp(int64_t asked, int64_t moved);
    void pagedDown(int64_t asked, int64_t moved);
    // Past the end: true when an append took over (no handler answered and the grid appended).
    bool offerAppend(bool keyboard);

    RowSource& source_;
    GridPort& port_;
    Viewport& view_;
};

}  // namespace vorpex::browse
