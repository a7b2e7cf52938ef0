// XExStruct: a record whose members are declared at run time. Each member row holds its upper-case name, its
// current value, its type, its length and its initial value (aMembers, in declaration order). Members read
// and write like properties: a message the class has no method for is a member name, `oRec:NAME` reads and
// `oRec:NAME := x` writes, converting x to the member's type. TExStruct is its user class.
#pragma once

#include <string>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "runtime/core/class.h"
#include "runtime/core/object.h"

namespace vorpex::dialogs {

class XExStruct : public rt::Object {
public:
    explicit XExStruct(const rt::Class& cls) : rt::Object(cls) {}
    static const rt::Class& classRecord();
    VP_METHODS(AddMember,  // (cName | aNames, [cType], [xInitial], [nLength]) -> Self
               GetMember,  // (cName | nMember) -> row number; raises when there is none
               GetValue,   // (cName | nMember) -> value, NIL when there is no such member
               SetValue,   // (cName | nMember, xValue) -> the value stored
               SetValues,  // (aValues) -> Self: in member order, without conversion
               GetName)    // (nMember) -> name, NIL when there is no such member

    // Appends one member; the typed path of AddMember.
    void addMember(const std::string& name, const rt::Value& typeWord, const rt::Value& initial,
                   const rt::Value& length = {});
    int memberCount() const;

    rt::Value New();
    VP_QUERIES(MemberList,  // the names, each followed by CR LF
               GetKeys,
               GetValues,
               Reset,       // every member back to its initial value -> Self
               Clone,       // a record with copies of the rows; the values are shared
               Len)

    // A message without a method: "_NAME" sets member NAME, any other reads the member of that name.
    rt::Value memberMessage(rt::Symbol message, rt::Args args);

private:
    rt::Array& rows();
    const rt::Array& rows() const;
    // The row of member n (1-based), null when it is none or was damaged by an assignment to aMembers.
    rt::Array* row(int n);
    int findMember(const rt::Value& key);  // 0 when there is no such member
    int memberOf(const rt::Value& key);    // as findMember, but raises the missing-member error
    rt::Value store(int n, const rt::Value& value);

    static inline int kMembers = -1;
};

using TExStruct = UserClass<XExStruct, "TExStruct">;

}  // namespace vorpex::dialogs
