// The program's hot keys (VP_SETKEY): up to 256 entries {virtual key, modifier set, block}. A key message whose
// key and modifier set (Shift 4 + Ctrl 8 + Alt 16, matched exactly) equal an entry's runs its block instead of
// reaching the focused window.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex {

namespace modifier {
inline constexpr int Shift = 4, Ctrl = 8, Alt = 16;
}

int modifierSet(bool shift, bool ctrl, bool alt);

class HotKeyTable {
public:
    static constexpr size_t kCapacity = 256;

    // VP_SETKEY(nKey, nModifiers, [bBlock]) with its arguments as passed: answers the entry's previous block or
    // NIL. A block stores or replaces the entry (nothing when the table is full); another third argument
    // removes the entry when there is one; two arguments only ask.
    rt::Value set(rt::Args args);

    // The block for a key message, null when none.
    rt::BlockPtr match(int key, int modifiers) const;

    size_t size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

private:
    struct Entry {
        uint16_t key;
        uint16_t modifiers;
        rt::BlockPtr block;  // held: the table keeps the block alive
    };
    std::vector<Entry>::iterator find(int key, int modifiers);

    std::vector<Entry> entries_;
};

// The program's table, served by the message loops.
HotKeyTable& hotKeys();

}  // namespace vorpex
