// The row source a grid walks: the current row of some ordered set of rows, moved by relative skips. The grid
// keeps no rows of its own; every move and every paint goes through these operations. The array browse and
// the data-aware browse implement them; XBrowse adapts its by-name members to this interface.
#pragma once

#include <cstdint>

#include "runtime/core/value.h"

namespace vorpex::browse {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual void moveTop() = 0;
    virtual void moveBottom() = 0;
    // Moves n rows, never past the first or the last; answers the signed number of rows really moved.
    virtual int64_t skip(int64_t n) = 0;
    // On the first / on the last row.
    virtual bool isBof() = 0;
    virtual bool isEof() = 0;
    // An opaque identifier of the current row, and the move back to one.
    virtual rt::Value bookmark() = 0;
    virtual void gotoBookmark(const rt::Value& mark) = 0;
    // The current row's 1-based position; the move to a position (a source that cannot position by number
    // leaves the current row where it is).
    virtual int64_t keyNo() = 0;
    virtual void gotoKey(int64_t key) = 0;
    virtual int64_t keyCount() = 0;
};

}  // namespace vorpex::browse
