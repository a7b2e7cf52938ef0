#include "framework/browse/model/column_layout.h"

#include <algorithm>

namespace vorpex::browse {

std::vector<Placed> displayColumns(const std::vector<ColumnBox>& columns, const LayoutInput& in) {
    std::vector<Placed> placed;
    int64_t x = in.firstCol, frozen = std::max<int64_t>(in.freeze, 0);
    const size_t count = columns.size();
    auto place = [&](size_t i) {
        if (!columns[i].visible) return false;
        placed.push_back({i, x, columns[i].width});
        x += columns[i].width;
        return true;
    };
    size_t i = 0;  // 0-based
    for (; frozen > 0 && i < count && x < in.clientWidth; ++i)
        if (place(i)) --frozen;  // hidden columns do not count as frozen
    i = std::max<size_t>(i, static_cast<size_t>(std::max<int64_t>(in.colOffset + in.freeze, 1) - 1));
    // The first column is always tried, so a single column wider than the client area still shows.
    for (; i < count && (x < in.clientWidth || i == 0); ++i) place(i);
    return placed;
}

bool DisplayRow::isPositionVisible(int64_t n, bool full) const {
    if (n < 1 || n > count()) return false;
    const Placed& p = placed_[static_cast<size_t>(n - 1)];
    return (full ? p.right() : p.x) <= dataWidth_;
}

int64_t DisplayRow::lastPosition(bool full) const {
    int64_t reached = 0;
    bool sticksOut = false;
    for (const Placed& p : placed_) {
        ++reached;
        if (p.right() > dataWidth_) {
            sticksOut = true;
            break;
        }
    }
    if (full && sticksOut) --reached;
    return std::max<int64_t>(reached, 1);
}

int64_t DisplayRow::width() const {
    if (placed_.empty()) return 0;
    int64_t w = firstCol_;
    for (const Placed& p : placed_) w += p.width;
    return w;
}

int64_t DisplayRow::positionOf(size_t column) const {
    for (size_t i = 0; i < placed_.size(); ++i)
        if (placed_[i].column == column) return static_cast<int64_t>(i + 1);
    return 0;
}

namespace {

// 0-based indexes of the visible columns.
std::vector<size_t> visibleColumns(const std::vector<ColumnBox>& columns) {
    std::vector<size_t> visible;
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].visible) visible.push_back(i);
    return visible;
}

bool shownInFull(const DisplayRow& row, size_t column) {
    const int64_t position = row.positionOf(column);
    return position > 0 && row.isPositionVisible(position, true);
}

}  // namespace

bool allColumnsVisible(const std::vector<ColumnBox>& columns, const DisplayRow& row, int64_t freeze) {
    const std::vector<size_t> visible = visibleColumns(columns);
    if (visible.empty() || row.count() == 0) return true;
    if (!shownInFull(row, visible.front()) || !shownInFull(row, visible.back())) return false;
    const auto firstScrolling = static_cast<size_t>(std::max<int64_t>(freeze, 0));
    return firstScrolling == 0 || firstScrolling >= visible.size() || row.positionOf(visible[firstScrolling]) > 0;
}

bool lastColumnVisible(const std::vector<ColumnBox>& columns, const DisplayRow& row) {
    const std::vector<size_t> visible = visibleColumns(columns);
    return visible.empty() || shownInFull(row, visible.back());
}

HorizontalBar horizontalBar(const std::vector<ColumnBox>& columns, const DisplayRow& row, const LayoutInput& in) {
    const int64_t room = std::max<int64_t>(in.clientWidth - in.firstCol, 0);
    HorizontalBar bar;
    int64_t total = 0, page = 0, position = 0, left = room, frozen = std::max<int64_t>(in.freeze, 0);
    bool beforeFirstShown = true;
    for (size_t i : visibleColumns(columns)) {
        const int64_t w = std::min(columns[i].width, room);
        total += w;
        const bool shown = row.positionOf(i) > 0;
        if (shown) {
            const int64_t part = std::min(columns[i].width, left);
            page += part;
            left -= part;
        }
        if (frozen > 0) {  // frozen columns never scroll: they move no position
            --frozen;
            continue;
        }
        if (shown) beforeFirstShown = false;
        if (beforeFirstShown) position += w;
    }
    bar.max = total - 1;
    bar.page = std::max<int64_t>(page - 1, 0);
    bar.position = position;
    return bar;
}

int64_t offsetShowing(const std::vector<ColumnBox>& columns, int64_t target, int64_t dataWidth) {
    const auto last = std::min<int64_t>(target, static_cast<int64_t>(columns.size()));
    int64_t first = 1, sum = 0;
    for (int64_t c = 1; c <= last; ++c) {
        sum += columns[static_cast<size_t>(c - 1)].width;
        while (sum >= dataWidth && first < c) sum -= columns[static_cast<size_t>(first++ - 1)].width;
    }
    return std::max<int64_t>(std::min(first, target), 1);
}

int64_t columnAtPixel(const std::vector<ColumnBox>& columns, int64_t pixel) {
    int64_t right = 0, n = 0;
    for (size_t i : visibleColumns(columns)) {
        right += columns[i].width;
        ++n;
        if (right >= pixel) return n;
    }
    return n;
}

}  // namespace vorpex::browse
