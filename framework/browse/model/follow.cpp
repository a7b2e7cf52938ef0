#include "framework/browse/model/follow.h"

#include <algorithm>

namespace vorpex::browse {

// Positions are read back from the source rather than counted: a row the source hides (a filter, deleted
// records) makes its key positions jump, and the bar must show where the source really is.

void Follower::toTop() {
    view_.len = source_.keyCount();
    if (view_.len < 1) {
        view_.keyNo = 0;
        port_.repaint();
        return;
    }
    view_.keyNo = source_.keyNo();
    view_.rowSel = 1;
    port_.setBarPosition(1);
    port_.changed(true);
    port_.repaint();
}

void Follower::toBottom() {
    view_.len = source_.keyCount();
    view_.keyNo = source_.keyNo();
    if (view_.len < 1) {
        port_.drawCurrentRow(true);
        return;
    }
    view_.rowSel = 1 + rowsAbove(source_, port_.rowCount() - 1);
    port_.setBarPosition(GridPort::kBarMaximum);
    port_.changed(true);
    port_.repaint();
}

void Follower::jumped() {
    view_.len = source_.keyCount();
    view_.keyNo = source_.keyNo();
    if (view_.len < 1) {
        port_.repaint();
        return;
    }
    // The marker keeps its screen row unless fewer rows lie above the new one.
    view_.rowSel = 1 + rowsAbove(source_, std::max<int64_t>(view_.rowSel, 1) - 1);
    port_.changed(true);
    port_.setBarPosition(view_.keyNo);
    port_.repaint();
}

bool Follower::offerAppend(bool keyboard) {
    return keyboard && port_.offerPastEof() && port_.append();
}

void Follower::skipped(int64_t asked, int64_t moved, bool keyboard) {
    if (asked == 0) {  // a re-read of the same row (a navigator's Cancel)
        port_.drawCurrentRow(true);
        return;
    }
    if (view_.len < 1) {
        if (asked > 0 && offerAppend(keyboard)) return;
        port_.drawCurrentRow(true);
        return;
    }
    if (asked == 1)
        skippedDown(moved, keyboard);
    else if (asked == -1)
        skippedUp(moved);
    else if (asked < 0)
        pagedUp(asked, moved);
    else
        pagedDown(asked, moved);
}

void Follower::skippedDown(int64_t moved, bool keyboard) {
    if (moved == 1) {
        view_.keyNo = source_.keyNo();
        markerDown(view_, port_);
    } else {
        port_.setBarPosition(GridPort::kBarMaximum);
        if (offerAppend(keyboard)) return;
    }
    port_.drawCurrentRow(true);
}

void Follower::skippedUp(int64_t moved) {
    if (moved == -1) {
        view_.keyNo = source_.keyNo();
        markerUp(view_, port_);
    }
    port_.drawCurrentRow(true);
}

void Follower::pagedUp(int64_t asked, int64_t moved) {
    if (moved == 0) {
        port_.drawCurrentRow(true);
        return;
    }
    view_.keyNo = source_.keyNo();
    if (moved > asked) {  // the top was reached
        view_.rowSel = 1;
        port_.setBarPosition(1);
    } else {
        view_.rowSel = 1 + rowsAbove(source_, view_.rowSel - 1);
        port_.setBarPosition(view_.keyNo);
    }
    port_.changed(true);
    port_.repaint();
}

void Follower::pagedDown(int64_t asked, int64_t moved) {
    view_.keyNo = source_.keyNo();
    if (moved < asked && moved <= view_.dataRows - view_.rowSel) {  // the last row was already on screen
        view_.rowSel += moved;
        if (moved > 0) port_.changed(true);
        port_.drawCurrentRow(true);
        port_.setBarPosition(GridPort::kBarMaximum);
        return;
    }
    port_.changed(true);
    port_.repaint();
    port_.setBarPosition(view_.keyNo);
}

}  // namespace vorpex::browse
