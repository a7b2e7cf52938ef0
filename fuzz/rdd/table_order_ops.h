// The operations of the table-and-order fuzz target, one byte each in its script (taken modulo the count),
// shared with the seed writer so that seeds start from scripts that reach every operation.
#pragma once
#include <cstdint>

namespace vorpex_fuzz {

enum class Op : uint8_t {
    GoTop,
    GoBottom,
    Skip,          // + signed byte
    GoTo,          // + byte: a record number, a little past the last one
    Seek,          // + byte of switches (soft, last, value kind) and the value's bytes
    SeekCurrent,   // the buffered record's own key
    Append,
    Replace,       // + byte: field; then the value's bytes
    ReplaceWrong,  // + byte: field; a value of the wrong type
    Delete,
    Recall,
    KeyNo,
    KeyCount,
    KeyGoto,       // + byte
    Scope,         // + byte: which, set or clear; then the value's bytes
    Descend,
    Commit,
    Rebuild,
    WalkForward,
    WalkBackward,
    Pack,
    SetDeleted,
    Focus,         // + byte: natural order or the index
    OtherArea,     // shared: the next operations go to a second area on the same files (another handle)
    Lock,          // the current record
    Unlock,        // every lock of the area
    Count
};

}  // namespace vorpex_fuzz
