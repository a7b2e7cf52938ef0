#include "framework/core/ex_struct/member_type.h"

#include <array>
#include <string_view>

#include "framework/core/native/to_string.h"
#include "runtime/core/block.h"
#include "runtime/core/symbol.h"
#include "runtime/lib/date.h"
#include "runtime/lib/number.h"
#include "runtime/lib/text.h"

namespace vorpex::dialogs {

namespace {

struct TypeWord {
    std::string_view word;
    char letter;
};

constexpr std::array<TypeWord, 14> kTypeWords{{{"LOGICAL", 'L'},
                                               {"NUMERIC", 'N'},
                                               {"NUMBER", 'N'},
                                               {"DATE", 'D'},
                                               {"CHARACTER", 'C'},
                                               {"STRING", 'C'},
                                               {"BLOCK", 'B'},
                                               {"ARRAY", 'A'},
                                               {"L", 'L'},
                                               {"N", 'N'},
                                               {"D", 'D'},
                                               {"C", 'C'},
                                               {"B", 'B'},
                                               {"A", 'A'}}};

char letterOf(const std::string& word) {
    for (const TypeWord& t : kTypeWords)
        if (t.word == word) return t.letter;
    return 0;
}

// A fresh value on each call: each member declared with the default gets its own array.
rt::Value defaultInitial(char letter) {
    switch (letter) {
        case 'L': return false;
        case 'N': return 0;
        case 'D': return rt::Date{};
        case 'C': return "";
        case 'B': return rt::makeBlock([](rt::Args) { return rt::Value(); });
        case 'A': return rt::Value::array();
        default: return {};
    }
}

rt::Value fixedLength(char letter, const rt::Value& given) {
    if (letter == 'L') return 1;
    if (letter == 'D') return 8;
    return given;
}

std::string typeText(const rt::Value& type) { return type.isString() ? type.asString() : std::string(); }

}  // namespace

MemberDecl declareMember(const rt::Value& typeWord, const rt::Value& initial, const rt::Value& length) {
    std::string word = typeWord.isString() ? rt::upper(rt::alltrim(typeWord.asString())) : std::string();
    if (word.empty()) return {rt::Value(), initial, length};
    const char letter = letterOf(word);
    if (!letter) return {rt::Value(word), initial, length};
    return {rt::Value(std::string(1, letter)), initial.isNil() ? defaultInitial(letter) : initial,
            fixedLength(letter, length)};
}

bool hasMemberType(const rt::Value& value, const rt::Value& type) {
    const std::string t = typeText(type);
    return t.empty() || value.typeCode() == t.front();
}

bool logicalFromText(const std::string& text) {
    const std::string u = rt::upper(text);
    if (u == ".T.") return true;
    return !u.empty() && std::string_view("TYS").find(u) != std::string_view::npos;
}

std::optional<rt::Value> convertToMember(const rt::Value& value, const rt::Value& type) {
    if (hasMemberType(value, type)) return value;
    const std::string t = typeText(type);
    if (t == "C") return rt::Value(value.isNil() ? std::string() : toText(rt::Args(&value, 1)));
    if (t == "N" && value.isString()) return rt::Value(rt::val(value.asString()));
    if (t == "D" && value.isString()) return rt::Value(rt::ctod(value.asString()));
    if (t == "L" && value.isString()) return rt::Value(logicalFromText(value.asString()));
    if (t == "L" && value.isNumber()) return rt::Value(value.asDouble() != 0);
    return std::nullopt;
}

rt::Value fitToLength(rt::Value value, const rt::Value& type, const rt::Value& length) {
    if (typeText(type) != "C" || !value.isString() || !length.isNumber() || length.asInteger() <= 0) return value;
    return rt::padr(value.asString(), length.asInteger());
}

}  // namespace vorpex::dialogs
