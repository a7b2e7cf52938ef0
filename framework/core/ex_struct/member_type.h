// The typing rules of a run-time record's members: what a declared type word means, and how a value assigned
// to a typed member is converted to the member's type.
#pragma once

#include <optional>
#include <string>

#include "runtime/core/value.h"

namespace vorpex::dialogs {

// A member as declared: its type ("L", "N", "D", "C", "B", "A", another word upper-cased, or NIL), its
// length and its initial value, defaults filled in.
struct MemberDecl {
    rt::Value type;
    rt::Value initial;
    rt::Value length;
};

// (cType, xInitial, nLength) as AddMember receives them: type words are case-insensitive ("Character",
// "STRING" and "c" all mean "C"); a NIL initial value takes the type's default; logical members are one wide
// and dates eight.
MemberDecl declareMember(const rt::Value& typeWord, const rt::Value& initial, const rt::Value& length);

// Whether a value already has the member's type: any value for an untyped member; for a type word beyond the
// letters, a value whose type letter is the word's first letter (an "OBJECT" member takes objects).
bool hasMemberType(const rt::Value& value, const rt::Value& type);

// The value converted to the member's type; nothing when no conversion exists (the data-type error).
std::optional<rt::Value> convertToMember(const rt::Value& value, const rt::Value& type);

// A text of a character member padded with spaces or cut to the member's length, when it has one.
rt::Value fitToLength(rt::Value value, const rt::Value& type, const rt::Value& length);

// A text as a logical: .T. for ".T." and for the runs "T", "Y", "S", "TY", "YS", "TYS" (upper-cased).
bool logicalFromText(const std::string& text);

}  // namespace vorpex::dialogs
