// The paint walk: which row of the source is drawn on which screen row. It moves the source to the row shown
// on screen row 1, hands each row but the current one to the painter while the source stands on it, and
// returns the source to the current row, checked by its bookmark: a paint never leaves the source (and the
// edits linked to it) on another row, even when rows above the current one vanished since the last move.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/browse/model/viewport.h"

namespace vorpex::browse {

struct WalkRow {
    int64_t screenRow = 0;
    int64_t keyNo = 0;     // the row's position (0 for the phantom row)
    bool phantom = false;  // the empty row of an append or insertion (the source does not move)
};

struct WalkPlan {
    int64_t screenRows = 0;  // rows that fit (one less while appending)
    int64_t phantomRow = 0;  // screen row of the empty row of an append or insertion, 0 for none
    bool hasColumns = true;
};

struct WalkResult {
    bool empty = false;  // nothing to walk: the data area is erased
    int64_t lastRow = 0;  // the last screen row drawn
    bool phantomPassed = false;
};

// Walks the rows and leaves `view` consistent with what was drawn (dataRows, rowSel, keyNo).
WalkResult paintWalk(RowSource& source, Viewport& view, const WalkPlan& plan,
                     const std::function<void(const WalkRow&)>& drawRow);

}  // namespace vorpex::browse
