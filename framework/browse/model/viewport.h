// The window a grid shows onto its row source: the current row's position (keyNo), the row count (len), the
// screen row the current row is shown on (rowSel) and the rows the last paint drew (dataRows); and the
// vertical moves over it. A move asks its grid (GridPort) for what only a window can do: cancelling an edit,
// drawing the current row, scrolling pixels, the scroll bar, the change event, a full repaint. The window
// class only applies these; the decisions are here, tested against a fake source and a recording port.
#pragma once

#include <cstdint>

#include "framework/browse/model/row_source.h"

namespace vorpex::browse {

struct Viewport {
    int64_t keyNo = 0, len = 0, rowSel = 1, dataRows = 0;
};

// Edit modes of a grid.
enum EditMode : int { kRead = 0, kEdit = 1, kAppend = 2, kInsert = 3 };

class GridPort {
public:
    // The position that puts the vertical bar at its end.
    static constexpr int64_t kBarMaximum = INT64_MAX;

    virtual ~GridPort() = default;
    virtual void cancelEdit() = 0;
    virtual void clearSeek() = 0;
    // Draws the current row (the source is on it) at screen row rowSel.
    virtual void drawCurrentRow(bool selected) = 0;
    // Moves the data rows' pixels one row: up for a positive direction, down for a negative one.
    virtual void dataScroll(int direction) = 0;
    virtual void setBarPosition(int64_t position) = 0;
    virtual void changed(bool rowChanged) = 0;  // OnChange
    virtual void repaint() = 0;
    // Past the last row: true when the grid should append (no handler took the move).
    virtual bool offerPastEof() = 0;
    virtual bool append() = 0;
    // Whole rows that fit in the data area.
    virtual int64_t rowCount() = 0;
    virtual int editMode() = 0;
    virtual void busy(bool on) = 0;
};

class Navigator {
public:
    Navigator(RowSource& source, GridPort& port, Viewport& view) : source_(source), port_(port), view_(view) {}

    // Brings keyNo, len and rowSel back in line with the source after its rows changed.
    void refresh(bool reset);
    void goUp();
    void goDown(bool append);
    void goPageUp(int64_t rows = 0);    // 0: a screen of rows
    void goPageDown(int64_t rows = 0);
    void goTop();
    void goBottom();
    void goTo(int64_t key);

private:
    void prelude();

    RowSource& source_;
    GridPort& port_;
    Viewport& view_;
};

// What the grid's own moves (Navigator) and the moves it follows (Follower) do alike:
// From the source's current row, steps back while rows exist, at most `limit` times; answers the steps taken
// and returns to the row it started from.
int64_t rowsAbove(RowSource& source, int64_t limit);
// The source went one row down (keyNo already says where): the marker follows, or the rows scroll under it.
void markerDown(Viewport& view, GridPort& port);
// The source went one row up: the marker follows, or the rows scroll down under it and fill the screen.
void markerUp(Viewport& view, GridPort& port);

// The vertical bar: range 1..len, page 1, position keyNo (1 while unknown).
struct VerticalBar {
    int64_t min = 1, max = 0, page = 1, position = 1;
};
VerticalBar verticalBar(const Viewport& view);

}  // namespace vorpex::browse
