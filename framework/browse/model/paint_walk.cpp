#include "framework/browse/model/paint_walk.h"

#include <algorithm>

namespace vorpex::browse {

WalkResult paintWalk(RowSource& source, Viewport& view, const WalkPlan& plan,
                     const std::function<void(const WalkRow&)>& drawRow) {
    const int64_t rows = plan.screenRows;
    if (!plan.hasColumns || view.len == 0 || rows <= 0) {
        view.dataRows = 0;
        view.rowSel = 1;
        return {.empty = true};
    }
    const rt::Value current = source.bookmark();
    int64_t currentRow = std::clamp<int64_t>(view.rowSel, 1, rows);
    if (currentRow != 1) {
        // The rows really above decide the current screen row, not the ones the grid expected.
        const int64_t moved = source.skip(1 - currentRow);
        view.keyNo += moved;
        currentRow = 1 - moved;
    }
    WalkResult result;
    int64_t offset = 0;  // source rows moved from screen row 1
    for (int64_t row = 1; row <= rows; ++row) {
        result.lastRow = row;
        if (row == plan.phantomRow) {
            drawRow({.screenRow = row, .phantom = true});
            result.phantomPassed = true;
            continue;
        }
        if (row != currentRow) drawRow({.screenRow = row, .keyNo = view.keyNo});
        if (row == rows || source.skip(1) != 1) break;
        ++offset;
        ++view.keyNo;
    }
    view.dataRows = std::min(result.lastRow, rows);
    view.rowSel = std::max<int64_t>(std::min(currentRow, view.dataRows), 1);
    view.keyNo += source.skip(currentRow - 1 - offset);
    if (!source.bookmark().sameAs(current)) {
        source.gotoBookmark(current);
        view.keyNo = source.keyNo();
    }
    return result;
}

}  // namespace vorpex::browse
