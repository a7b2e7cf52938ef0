#include "framework/core/form/shortcut_table.h"

#include <algorithm>

#include "runtime/lib/text.h"

namespace vorpex {

std::optional<char> shortcutLetter(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (i + 1 >= text.size()) return std::nullopt;
        if (text[i + 1] == '&') {
            ++i;  // a literal ampersand
            continue;
        }
        return rt::upperChar(text[i + 1]);
    }
    return std::nullopt;
}

void ShortcutTable::add(const rt::Value& control, char key, bool explicitKey) {
    rt::ObjectPtr o = control.deref().asObject();
    if (!o || key == 0) return;
    entries_.push_back({rt::Value::weak(o), rt::upperChar(key), explicitKey});
}

void ShortcutTable::addTextLetter(const rt::Value& control, std::string_view text) {
    if (std::optional<char> letter = shortcutLetter(text)) add(control, *letter, false);
}

void ShortcutTable::addKeys(const rt::Value& control, const rt::Value& keys) {
    rt::ArrayPtr list = keys.deref().asArray();
    if (!list) return;
    for (const rt::Value& k : list->items) {
        const rt::Value& key = k.deref();
        if (key.isString() && !key.asString().empty()) add(control, key.asString().front(), true);
        if (key.isNumber()) add(control, static_cast<char>(key.asInteger()), true);
    }
}

void ShortcutTable::remove(const rt::Value& control) {
    rt::ObjectPtr o = control.deref().asObject();
    std::erase_if(entries_, [&](const ShortcutEntry& e) {
        rt::ObjectPtr c = e.control.asObject();
        return !c || c == o;  // entries of controls that ended go too
    });
}

const ShortcutEntry* ShortcutTable::find(char key, const std::function<bool(const rt::Value&)>& usable) const {
    const char wanted = rt::upperChar(key);
    for (const ShortcutEntry& e : entries_) {
        if (e.key != wanted) continue;
        rt::ObjectPtr c = e.control.asObject();
        if (c && usable(rt::Value(c))) return &e;
    }
    return nullptr;
}

rt::Value ShortcutTable::toArray() const {
    std::vector<rt::Value> rows;
    for (const ShortcutEntry& e : entries_)
        rows.push_back(rt::Value::array({e.control.asObject() ? rt::Value(e.control.asObject()) : rt::Value(),
                                         rt::Value(std::string(1, e.key)), rt::Value(e.explicitKey)}));
    return rt::Value::array(std::move(rows));
}

}  // namespace vorpex
