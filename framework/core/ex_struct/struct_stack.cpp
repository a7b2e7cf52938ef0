#include "framework/core/ex_struct/struct_stack.h"

#include <vector>

#include "framework/core/ex_struct/ex_struct.h"
#include "runtime/core/runtime.h"

namespace vorpex::dialogs {

namespace {

std::vector<rt::ObjectPtr>& stack() {
    static std::vector<rt::ObjectPtr> s;
    return s;
}

XExStruct* top() { return stack().empty() ? nullptr : static_cast<XExStruct*>(stack().back().get()); }

rt::Value strucBegin(rt::Args args) {
    rt::ObjectPtr record = TExStruct::classRecord().instantiate();
    const rt::Value& name = rt::arg(args, 0);
    if (XExStruct* outer = top(); outer && name.isString() && !name.asString().empty())
        outer->addMember(name.asString(), "OBJECT", rt::Value(record));
    stack().push_back(record);
    return rt::Value(record);
}

rt::Value strucMember(rt::Args args) {
    XExStruct* record = top();
    // Without an open record there is nothing to declare into.
    return record ? record->AddMember(args) : rt::Value();
}

rt::Value strucEnd(rt::Args) {
    if (!stack().empty()) stack().pop_back();
    return {};
}

}  // namespace

void registerStructFunctions() {
    XExStruct::classRecord();
    TExStruct::classRecord();
    rt::registerFunction("STRUCBEGIN", strucBegin);
    rt::registerFunction("STRUCMEMBER", strucMember);
    rt::registerFunction("STRUCEND", strucEnd);
}

int openStructCount() { return static_cast<int>(stack().size()); }

}  // namespace vorpex::dialogs
