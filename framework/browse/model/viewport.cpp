#include "framework/browse/model/viewport.h"

#include <algorithm>

namespace vorpex::browse {

void Navigator::refresh(bool reset) {
    view_.keyNo = source_.keyNo();
    view_.len = source_.keyCount();
    if (source_.isEof()) view_.keyNo = view_.len;
    if (reset) {
        view_.rowSel = 1;
        return;
    }
    const int64_t rows = port_.rowCount();
    const int64_t after = view_.len - view_.keyNo;
    if (view_.keyNo <= rows)
        view_.rowSel = std::min(view_.keyNo, view_.rowSel);  // never more rows above than exist
    else if (after < rows)
        view_.rowSel = rows - after;  // the last row sits on the last screen row
    view_.rowSel = std::max<int64_t>(std::min(view_.rowSel, view_.len), 1);
}

void Navigator::prelude() {
    port_.cancelEdit();
    port_.clearSeek();
    port_.drawCurrentRow(false);
}

int64_t rowsAbove(RowSource& source, int64_t limit) {
    const rt::Value mark = source.bookmark();
    int64_t steps = 0;
    while (steps < limit && source.skip(-1) == -1) ++steps;
    source.gotoBookmark(mark);
    return steps;
}

void markerDown(Viewport& view, GridPort& port) {
    if (view.rowSel < port.rowCount())
        ++view.rowSel;
    else
        port.dataScroll(1);
    port.changed(true);
    port.setBarPosition(view.keyNo);
}

void markerUp(Viewport& view, GridPort& port) {
    if (view.rowSel > 1) {
        --view.rowSel;
    } else {
        port.dataScroll(-1);
        if (view.dataRows < port.rowCount()) ++view.dataRows;
    }
    port.setBarPosition(view.keyNo);
    port.changed(true);
}

void Navigator::goUp() {
    if (view_.len == 0 || source_.isBof()) return;
    if (port_.editMode() >= kAppend) {
        port_.cancelEdit();
        return;
    }
    port_.cancelEdit();
    port_.drawCurrentRow(false);
    port_.clearSeek();
    if (source_.skip(-1) == -1) {
        --view_.keyNo;
        markerUp(view_, port_);
    }
    port_.drawCurrentRow(true);
}

void Navigator::goDown(bool append) {
    port_.cancelEdit();
    port_.clearSeek();
    // An empty grid appends only when asked to: a wheel turn or a scroll-bar line never starts a new row.
    if (view_.len == 0 || (append && source_.isEof())) {
        if (append && port_.offerPastEof()) port_.append();
        return;
    }
    port_.drawCurrentRow(false);
    if (source_.skip(1) == 1) {
        ++view_.keyNo;
        markerDown(view_, port_);
    } else {
        port_.setBarPosition(GridPort::kBarMaximum);
        if (append && port_.offerPastEof() && port_.append()) return;
    }
    port_.drawCurrentRow(true);
}

void Navigator::goPageUp(int64_t rows) {
    if (view_.len < 1) return;
    if (rows <= 0) rows = port_.rowCount();
    prelude();
    const int64_t moved = source_.skip(-rows);
    if (moved == 0) {
        port_.drawCurrentRow(true);
        return;
    }
    view_.keyNo += moved;
    if (-moved < rows) {  // the top was reached
        view_.rowSel = 1;
        port_.setBarPosition(1);
    } else {
        port_.setBarPosition(view_.keyNo);
    }
    port_.changed(true);
    port_.repaint();
}

void Navigator::goPageDown(int64_t rows) {
    if (view_.len < 1) return;
    if (rows <= 0) rows = port_.rowCount();
    prelude();
    const int64_t moved = source_.skip(rows);
    view_.keyNo += moved;
    if (moved < rows && moved <= view_.dataRows - view_.rowSel) {  // the last row was already on screen
        view_.rowSel += moved;
        port_.changed(true);
        port_.drawCurrentRow(true);
        port_.setBarPosition(GridPort::kBarMaximum);
        return;
    }
    port_.changed(true);
    port_.repaint();
    port_.setBarPosition(view_.keyNo);
}

void Navigator::goTop() {
    if (view_.len < 1) return;
    view_.keyNo = 1;
    if (source_.isBof()) return;
    prelude();
    source_.moveTop();
    port_.setBarPosition(1);
    view_.rowSel = 1;
    port_.changed(true);
    port_.repaint();
}

void Navigator::goBottom() {
    prelude();
    view_.keyNo = view_.len;
    if (view_.len == 0 || source_.isEof()) {
        port_.drawCurrentRow(true);
        return;
    }
    const int64_t rows = port_.rowCount();
    source_.moveBottom();
    view_.rowSel = 1 + rowsAbove(source_, rows - 1);
    port_.setBarPosition(GridPort::kBarMaximum);
    port_.changed(true);
    port_.repaint();
}

void Navigator::goTo(int64_t key) {
    if (view_.len < 1) return;
    prelude();
    const int64_t rowSel = view_.rowSel;
    const rt::Value before = source_.bookmark();
    port_.busy(true);
    source_.gotoKey(key);
    if (source_.bookmark().sameAs(before)) source_.skip(key - source_.keyNo());
    // Where the source really is: it may not reach the row asked for.
    view_.keyNo = source_.keyNo();
    port_.busy(false);
    view_.rowSel = 1 + rowsAbove(source_, rowSel - 1);
    port_.changed(true);
    port_.setBarPosition(view_.keyNo);
    port_.repaint();
}

VerticalBar verticalBar(const Viewport& view) {
    return {.min = 1, .max = view.len, .page = 1, .position = view.keyNo > 0 ? view.keyNo : 1};
}

}  // namespace vorpex::browse
