// Interned, case-insensitive message and variable names. Two symbols are equal when their names are equal
// ignoring case, so comparing and hashing them is a pointer operation.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace rt {

class Symbol {
public:
    Symbol() = default;
    // The symbol of that name, created on first use.
    static Symbol intern(std::string_view name);
    // The symbol of that name when one was ever interned, else an invalid symbol.
    static Symbol find(std::string_view name);

    bool valid() const { return entry_ != nullptr; }
    explicit operator bool() const { return valid(); }
    // The name in upper case, as the runtime stores message names.
    const std::string& name() const;
    size_t id() const;

    friend bool operator==(Symbol a, Symbol b) { return a.entry_ == b.entry_; }

    struct Entry;

private:
    explicit Symbol(const Entry* e) : entry_(e) {}
    const Entry* entry_ = nullptr;
};

std::string upper(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace rt

template <>
struct std::hash<rt::Symbol> {
    size_t operator()(rt::Symbol s) const noexcept { return s.id(); }
};
