// A row source over numbered rows for the model tests: rows are identified by their number (the bookmark),
// can vanish under the grid, and count the rows each skip touches.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/browse/model/viewport.h"

namespace vorpex::browse::testing {

class FakeRows : public RowSource {
public:
    explicit FakeRows(int64_t count) {
        for (int64_t i = 1; i <= count; ++i) ids.push_back(i);
    }
    std::vector<int64_t> ids;
    size_t at = 0;
    bool positionsByNumber = true;
    int64_t rowsMoved = 0;  // the rows all skips moved over
    std::function<void(FakeRows&)> afterSkip;

    int64_t current() const { return ids.empty() ? 0 : ids[at]; }
    void put(int64_t id) { gotoBookmark(rt::Value(static_cast<long long>(id))); }
    // Takes a row away; the current one moves to the next row (or the last).
    void remove(int64_t id) {
        const auto it = std::find(ids.begin(), ids.end(), id);
        if (it == ids.end()) return;
        const auto index = static_cast<size_t>(it - ids.begin());
        ids.erase(it);
        if (index < at || at >= ids.size()) at = at > 0 ? at - 1 : 0;
    }

    void moveTop() override { at = 0; }
    void moveBottom() override { at = ids.empty() ? 0 : ids.size() - 1; }
    int64_t skip(int64_t n) override {
        if (ids.empty()) return 0;
        const auto last = static_cast<int64_t>(ids.size()) - 1;
        const int64_t target = std::clamp<int64_t>(static_cast<int64_t>(at) + n, 0, last);
        const int64_t moved = target - static_cast<int64_t>(at);
        at = static_cast<size_t>(target);
        rowsMoved += moved < 0 ? -moved : moved;
        if (afterSkip) afterSkip(*this);
        return moved;
    }
    bool isBof() override { return ids.empty() || at == 0; }
    bool isEof() override { return ids.empty() || at + 1 == ids.size(); }
    rt::Value bookmark() override { return rt::Value(static_cast<long long>(current())); }
    void gotoBookmark(const rt::Value& mark) override {
        const auto it = std::find(ids.begin(), ids.end(), mark.asInteger());
        if (it != ids.end()) at = static_cast<size_t>(it - ids.begin());
    }
    int64_t keyNo() override { return ids.empty() ? 0 : static_cast<int64_t>(at) + 1; }
    void gotoKey(int64_t key) override {
        if (positionsByNumber && key >= 1 && key <= static_cast<int64_t>(ids.size())) at = static_cast<size_t>(key - 1);
    }
    int64_t keyCount() override { return static_cast<int64_t>(ids.size()); }
};

// A grid port that writes down what the moves ask of it.
class RecordingPort : public GridPort {
public:
    explicit RecordingPort(FakeRows& rows) : rows_(rows) {}
    std::vector<std::string> log;
    int64_t screenRows = 10;
    int mode = kRead;
    bool handlerTakesPastEof = false;

    void cancelEdit() override { log.push_back("cancel"); }
    void clearSeek() override { log.push_back("seek"); }
    void drawCurrentRow(bool selected) override {
        log.push_back("draw " + std::to_string(rows_.current()) + (selected ? "*" : ""));
    }
    void dataScroll(int direction) override { log.push_back("scroll " + std::to_string(direction)); }
    void setBarPosition(int64_t p) override {
        log.push_back("bar " + (p == kBarMaximum ? std::string("max") : std::to_string(p)));
    }
    void changed(bool row) override { log.push_back(row ? "change row" : "change col"); }
    void repaint() override { log.push_back("repaint"); }
    bool offerPastEof() override {
        log.push_back("pastEof");
        return !handlerTakesPastEof;
    }
    bool append() override {
        log.push_back("append");
        return true;
    }
    int64_t rowCount() override { return screenRows; }
    int editMode() override { return mode; }
    void busy(bool on) override { log.push_back(on ? "wait" : "arrow"); }

private:
    FakeRows& rows_;
};

// Where a grid starts: the source's row count, its current row, the marker's screen row, the rows shown.
struct Start {
    int64_t rows = 50, key = 1, rowSel = 1, dataRows = 10;
};

// A fake source of numbered rows on the start's row, a port writing down what the grid asks, the view, and the
// model under test (`Mover`: a Navigator or a Follower) moving over them.
template <class Mover>
struct FakeGrid {
    FakeRows source;
    RecordingPort port{source};
    Viewport view;
    Mover mover{source, port, view};
    explicit FakeGrid(const Start& s) : source(s.rows) {
        source.put(s.key);
        view = {.keyNo = s.rows ? s.key : 0, .len = s.rows, .rowSel = s.rowSel, .dataRows = s.dataRows};
    }
};

}  // namespace vorpex::browse::testing
