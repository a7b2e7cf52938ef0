// A form's keyboard shortcuts (aShortCut): Alt+letter reaches a control through the "&" letter of its text or
// through keys given explicitly. Entries stay in the order they were added, so of two controls that share a
// letter the first created that is enabled and visible gets it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex {

// The upper-case letter after the first single "&" of a control's text; a doubled "&&" is a literal ampersand
// and an "&" at the very end marks nothing.
std::optional<char> shortcutLetter(std::string_view text);

struct ShortcutEntry {
    rt::Value control;  // a back reference: the form's controls are held by their container
    char key = 0;        // upper case
    bool explicitKey = false;
};

class ShortcutTable {
public:
    // AddShortCut(oCtl): the "&" letter of its text, when there is one.
    void addTextLetter(const rt::Value& control, std::string_view text);
    // AddShortCut(oCtl, aKeys): each key (a text's first character or a character code), upper case.
    void addKeys(const rt::Value& control, const rt::Value& keys);
    // DelShortCut(oCtl): every entry of that control.
    void remove(const rt::Value& control);

    // The first entry of `key` (either case) whose control is `usable` (enabled and visible).
    const ShortcutEntry* find(char key, const std::function<bool(const rt::Value&)>& usable) const;

    const std::vector<ShortcutEntry>& entries() const { return entries_; }
    // The entries as {control, key, lExplicit} rows.
    rt::Value toArray() const;
    void clear() { entries_.clear(); }

private:
    void add(const rt::Value& control, char key, bool explicitKey);
    std::vector<ShortcutEntry> entries_;
};

}  // namespace vorpex
