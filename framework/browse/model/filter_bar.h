// The header's filter bar: how tall the header is with and without it, and which column a header item's
// filter belongs to. Pure functions, tested natively; the grid applies them to its header bar.
#pragma once

#include <cstdint>

namespace vorpex::browse {

// nFilterHeight: the header's height without the bar, 0 while not known yet.
struct FilterBar {
    bool on = false;
    int64_t plainHeight = 0;
};

struct FilterSwitch {
    FilterBar bar;
    int64_t headerHeight = 0;  // the height the header takes
};

// FilterMode(on) on a header `headerHeight` pixels tall: the plain height is taken from the header while the
// bar is off (so switching on twice never grows it twice), and the bar adds half of it, rounded.
FilterSwitch switchFilterBar(FilterBar bar, int64_t headerHeight, bool on);

// The display position whose filter a header item holds (the record selector's item, when shown, is the
// first): 0 for none.
int64_t filterColumn(int64_t item, bool selectorShown);

}  // namespace vorpex::browse
