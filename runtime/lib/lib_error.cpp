#include "lib_error.h"

namespace rt {
namespace {

Value raiseWith(Error& e) {
    // Retry is never offered here: the same operands would fail the same way.
    ErrorAnswer answer = raise(e);
    return answer.value;
}

Error makeError(int genCode, int subCode, std::string_view description, std::string_view operation, Args args) {
    Error e;
    e.genCode = genCode;
    e.subSystem = "BASE";
    e.subCode = subCode;
    e.description = std::string(description);
    e.operation = std::string(operation);
    std::vector<Value> items;
    for (const Value& a : args) items.push_back(a.deref());
    e.args = Value::array(std::move(items));
    e.canDefault = true;
    e.canSubstitute = true;
    return e;
}

}  // namespace

Value raiseArgError(int subCode, std::string_view operation, Args args) {
    Error e = makeError(eg::Arg, subCode, "Argument error", operation, args);
    return raiseWith(e);
}

Value raiseZeroDiv(int subCode, std::string_view operation, Args args) {
    Error e = makeError(eg::ZeroDiv, subCode, "Zero divisor", operation, args);
    Value v = raiseWith(e);
    return v.isNumber() ? v : Value(0);
}

std::string raiseStringOverflow(int subCode, std::string_view operation) {
    Error e = makeError(eg::StrOverflow, subCode, "String overflow", operation, {});
    Value v = raiseWith(e);
    return v.isString() ? v.asString() : std::string();
}

}  // namespace rt
