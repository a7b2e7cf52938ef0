#include "framework/core/app/hot_key_table.h"

#include <algorithm>

namespace vorpex {

int modifierSet(bool shift, bool ctrl, bool alt) {
    return (shift ? modifier::Shift : 0) + (ctrl ? modifier::Ctrl : 0) + (alt ? modifier::Alt : 0);
}

std::vector<HotKeyTable::Entry>::iterator HotKeyTable::find(int key, int modifiers) {
    return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.key == static_cast<uint16_t>(key) && e.modifiers == static_cast<uint16_t>(modifiers);
    });
}

rt::Value HotKeyTable::set(rt::Args args) {
    const int key = rt::arg(args, 0).asInt();
    const int modifiers = rt::arg(args, 1).asInt();
    auto it = find(key, modifiers);
    rt::Value previous = it != entries_.end() ? rt::Value(it->block) : rt::Value();
    if (args.size() < 3) return previous;

    const rt::Value& third = rt::arg(args, 2);
    if (third.isBlock()) {
        if (it != entries_.end())
            it->block = third.asBlock();
        else if (entries_.size() < kCapacity)
            entries_.push_back({static_cast<uint16_t>(key), static_cast<uint16_t>(modifiers), third.asBlock()});
        return previous;
    }
    // Removing a key that was never set changes nothing.
    if (it != entries_.end()) entries_.erase(it);
    return previous;
}

rt::BlockPtr HotKeyTable::match(int key, int modifiers) const {
    for (const Entry& e : entries_)
        if (e.key == static_cast<uint16_t>(key) && e.modifiers == static_cast<uint16_t>(modifiers)) return e.block;
    return nullptr;
}

HotKeyTable& hotKeys() {
    static HotKeyTable table;
    return table;
}

}  // namespace vorpex
