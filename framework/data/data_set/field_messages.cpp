// Messages that name a field: oSet:NOMBRE reads it (oSet:NOMBRE(n): 0 as FieldGet, 1 the buffer, 2 the table,
// 3 the field object), oSet:_NOMBRE := x writes it (a table field through FieldPut, a user field through its
// Value). A name that is no field is the runtime's "Message not found" error.
#include "framework/data/data_set/data_set.h"

#include "framework/core/object/optional_send.h"
#include "runtime/core/error.h"
#include "runtime/core/send.h"

namespace vorpex::data {

namespace {

rt::Value item(const rt::Value& list, int64_t n) {
    if (!list.isArray() || n < 1 || static_cast<size_t>(n) > list.asArray()->items.size()) return {};
    return list.asArray()->items[static_cast<size_t>(n) - 1];
}

}  // namespace

rt::Value XDataSet::messageNotFound(const std::string& message, rt::Args args, int subCode) {
    rt::Error e;
    e.genCode = rt::eg::NoMethod;
    e.subSystem = "BASE";
    e.subCode = subCode;
    e.severity = rt::severity::Error;
    e.description = "Message not found";
    const rt::Value className = rt::send(*this, "ClassName");
    e.operation = (className.isString() ? className.asString() : objectClass().name()) + ":" + message;
    e.args = rt::Value::array(std::vector<rt::Value>(args.begin(), args.end()));
    e.canDefault = true;
    return rt::raise(e).value;
}

rt::Value XDataSet::fieldMessage(rt::Symbol message, rt::Args args) {
    const std::string& name = message.name();
    const bool assigning = name.size() > 1 && name[0] == '_';
    const int64_t n = fieldNumber(rt::Value(assigning ? name.substr(1) : name));
    const rt::Value f = n > 0 ? item(field(kFields), n) : item(field(kUserFields), -n);
    if (n == 0 || !f.isObject()) return messageNotFound(name, args, assigning ? 1005 : 1004);
    if (assigning) {
        if (n < 0) return rt::send(f, "_Value", {rt::arg(args, 0)});
        const rt::Value call[] = {rt::Value(n), rt::arg(args, 0)};
        return rt::send(*this, rt::Symbol::intern("FieldPut"), rt::Args(call, 2));
    }
    const int how = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInt() : 0;
    if (how == 3) return f;
    if (n < 0) return rt::send(f, "Value");
    if (how == 1) return item(sendIfUnderstood(selfValue(), "aFldEdit"), n);
    const rt::Value call[] = {rt::Value(n), how == 2 ? rt::Value(false) : rt::Value()};
    return rt::send(*this, rt::Symbol::intern("FieldGet"), rt::Args(call, 2));
}

}  // namespace vorpex::data
