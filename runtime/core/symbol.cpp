#include "symbol.h"

#include <deque>
#include <unordered_map>

namespace rt {

struct Symbol::Entry {
    std::string name;
    size_t id;
};

namespace {

struct SymbolTable {
    std::deque<Symbol::Entry*> entries;  // stable addresses; entries live for the whole run
    std::unordered_map<std::string, const void*> byName;
};

SymbolTable& table() {
    static SymbolTable* t = new SymbolTable;  // never destroyed: symbols are used by static destructors too
    return *t;
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = upperAscii(c);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i])) return false;
    return true;
}

Symbol Symbol::intern(std::string_view name) {
    SymbolTable& t = table();
    std::string key = upper(name);
    auto it = t.byName.find(key);
    if (it != t.byName.end()) return Symbol(static_cast<const Entry*>(it->second));
    auto* e = new Entry{key, t.entries.size() + 1};
    t.entries.push_back(e);
    t.byName.emplace(std::move(key), e);
    return Symbol(e);
}

Symbol Symbol::find(std::string_view name) {
    SymbolTable& t = table();
    auto it = t.byName.find(upper(name));
    return it == t.byName.end() ? Symbol() : Symbol(static_cast<const Entry*>(it->second));
}

const std::string& Symbol::name() const {
    static const std::string empty;
    return entry_ ? entry_->name : empty;
}

size_t Symbol::id() const { return entry_ ? entry_->id : 0; }

}  // namespace rt
