#include "framework/browse/model/selection.h"

#include <algorithm>

namespace vorpex::browse {

using rt::Value;

bool Selection::contains(const Value& mark) const {
    return std::any_of(marks_.begin(), marks_.end(), [&](const Value& m) { return m.sameAs(mark); });
}

// Order is kept: the last element stays the anchor of the other rows.
void Selection::erase(const Value& mark) {
    marks_.erase(std::remove_if(marks_.begin(), marks_.end(), [&](const Value& m) { return m.sameAs(mark); }),
                 marks_.end());
}

void Selection::apply(int mode) {
    if (marks_.empty() && mode != kSelectAll) mode = kSelectAdd;
    switch (mode) {
        case kSelectClear: clear(); break;
        case kSelectAdd: add(); break;
        case kSelectToggle: toggle(); break;
        case kSelectExtend: extend(); break;
        case kSelectAll: selectAll(); break;
        default: break;
    }
}

void Selection::clear() {
    const bool onlyCurrent = marks_.size() == 1 && marks_.front().sameAs(source_.bookmark());
    marks_.clear();
    if (!onlyCurrent) port_.repaint();
}

void Selection::add() {
    const Value mark = source_.bookmark();
    if (!contains(mark)) marks_.push_back(mark);
    port_.drawCurrentRow(true);
}

void Selection::toggle() {
    const Value mark = source_.bookmark();
    if (contains(mark)) {
        erase(mark);
        port_.drawCurrentRow(false);
    } else {
        marks_.push_back(mark);
        port_.drawCurrentRow(true);
    }
}

void Selection::extend() {
    const Value current = source_.bookmark();
    const Value anchor = marks_.back();
    const int64_t here = source_.keyNo();
    source_.gotoBookmark(anchor);
    const int64_t there = source_.keyNo();
    if (there == here) {
        source_.gotoBookmark(current);
        return;
    }
    port_.busy(true);
    marks_.assign(1, anchor);
    const int64_t step = there < here ? 1 : -1;
    while (!source_.bookmark().sameAs(current) && source_.skip(step) != 0) {
        const Value mark = source_.bookmark();
        if (!contains(mark)) marks_.push_back(mark);
    }
    // The current row is the last element whatever the walk met: the next range starts from it.
    source_.gotoBookmark(current);
    erase(current);
    marks_.push_back(current);
    view_.keyNo = here;
    port_.busy(false);
    port_.repaint();
}

// Every row the source shows, walked until it stops moving: rows a filter hides leave no holes.
void Selection::selectAll() {
    const Value start = source_.bookmark();
    marks_.clear();
    source_.moveTop();
    if (source_.keyCount() > 0 || !source_.isEof() || !source_.isBof()) {
        marks_.push_back(source_.bookmark());
        while (source_.skip(1) != 0) marks_.push_back(source_.bookmark());
    }
    source_.gotoBookmark(start);
    port_.repaint();
}

}  // namespace vorpex::browse
