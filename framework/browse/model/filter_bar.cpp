#include "framework/browse/model/filter_bar.h"

namespace vorpex::browse {

FilterSwitch switchFilterBar(FilterBar bar, int64_t headerHeight, bool on) {
    if (!bar.on || bar.plainHeight <= 0) bar.plainHeight = headerHeight;
    bar.on = on;
    // Round half up, as the runtime's Round does for these positive heights.
    const int64_t height = on ? (bar.plainHeight * 3 + 1) / 2 : bar.plainHeight;
    return {bar, height};
}

int64_t filterColumn(int64_t item, bool selectorShown) {
    const int64_t position = selectorShown ? item - 1 : item;
    return position > 0 ? position : 0;
}

}  // namespace vorpex::browse
