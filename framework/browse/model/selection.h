// The multi-selection of a grid (marquee style 6): the bookmarks of the selected rows, in the order they were
// selected; the last one is the anchor a range extends from. The modes walk the row source and ask the grid
// (GridPort) to draw the current row or repaint; the grid window only applies them.
#pragma once

#include <vector>

#include "framework/browse/model/viewport.h"

namespace vorpex::browse {

enum SelectMode : int { kSelectClear = 0, kSelectAdd = 1, kSelectToggle = 2, kSelectExtend = 3, kSelectAll = 4 };

class Selection {
public:
    Selection(RowSource& source, GridPort& port, Viewport& view, std::vector<rt::Value>& marks)
        : source_(source), port_(port), view_(view), marks_(marks) {}

    // Applies a mode to the current row; with no row selected every mode but select-all adds the current row.
    void apply(int mode);

private:
    void clear();
    void add();
    void toggle();
    void extend();
    void selectAll();
    bool contains(const rt::Value& mark) const;
    void erase(const rt::Value& mark);

    RowSource& source_;
    GridPort& port_;
    Viewport& view_;
    std::vector<rt::Value>& marks_;
};

}  // namespace vorpex::browse
