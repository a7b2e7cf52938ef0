#include "framework/core/ex_struct/ex_struct.h"

#include <algorithm>

#include "framework/core/ex_struct/member_type.h"
#include "framework/core/native/to_string.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/error.h"
#include "runtime/core/symbol.h"

namespace vorpex::dialogs {

namespace {

// Positions in a member row (0-based here; a program sees them as 1 to 5).
enum Item { kName, kValue, kType, kLength, kInitial, kRowSize };

std::string shown(const rt::Value& v) { return toText(rt::Args(&v, 1)); }

// The type a member was declared with, as an error message names it ("U" when none was given).
std::string typeForMessage(const rt::Value& type) { return type.isString() ? type.asString() : std::string("U"); }
std::string nameText(const rt::Value& name) { return name.isString() ? name.asString() : std::string(); }

// The handler may let the error pass (Default); a break leaves through rt::Break.
void raiseRecordError(const char* subSystem, std::string description, std::string operation) {
    rt::Error e;
    e.subSystem = subSystem;
    e.severity = rt::severity::Error;
    e.description = std::move(description);
    e.operation = std::move(operation);
    e.canDefault = true;
    rt::raise(e);
}

rt::Value newRow(const std::string& name, const MemberDecl& d) {
    std::vector<rt::Value> items(kRowSize);
    items[kName] = rt::upper(name);
    items[kValue] = d.initial;
    items[kType] = d.type;
    items[kLength] = d.length;
    items[kInitial] = d.initial;
    return rt::Value::array(std::move(items));
}

}  // namespace

const rt::Class& XExStruct::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XExStruct", nullptr, rt::factoryOf<XExStruct>());
        kMembers = b.addData("aMembers", rt::Value::array(), "A");
        using X = XExStruct;
        b.addMethod("New", rt::method(&X::New), rt::scope::Exported | rt::scope::Constructor);
        addMembers<XExStruct>(b);
        b.record().setUnknownMessageHandler([](rt::Object& self, rt::Symbol message, rt::Args args) {
            return static_cast<XExStruct&>(self).memberMessage(message, args);
        });
        return b.create();
    }();
    return c;
}

rt::Array& XExStruct::rows() {
    rt::Value& v = field(kMembers);
    // A program may assign anything to aMembers; the record starts afresh rather than fail on every call.
    if (!v.isArray()) v = rt::Value::array();
    return *v.asArray();
}

const rt::Array& XExStruct::rows() const {
    static const rt::Array none;
    const rt::Value& v = field(kMembers);
    return v.isArray() ? *v.asArray() : none;
}

rt::Array* XExStruct::row(int n) {
    rt::Array& all = rows();
    if (n < 1 || n > static_cast<int>(all.items.size())) return nullptr;
    rt::ArrayPtr r = all.items[n - 1].asArray();
    return r && r->items.size() >= kRowSize ? r.get() : nullptr;
}

int XExStruct::memberCount() const { return static_cast<int>(rows().items.size()); }

void XExStruct::addMember(const std::string& name, const rt::Value& typeWord, const rt::Value& initial,
                          const rt::Value& length) {
    rows().items.push_back(newRow(name, declareMember(typeWord, initial, length)));
}

int XExStruct::findMember(const rt::Value& key) {
    if (key.isNumber()) {
        const int64_t n = key.asInteger();
        return n >= 1 && n <= memberCount() && row(static_cast<int>(n)) ? static_cast<int>(n) : 0;
    }
    if (!key.isString()) return 0;
    const std::string name = rt::upper(key.asString());
    for (int n = 1; n <= memberCount(); ++n)
        if (rt::Array* r = row(n); r && r->items[kName].isString() && r->items[kName].asString() == name) return n;
    return 0;
}

int XExStruct::memberOf(const rt::Value& key) {
    if (int n = findMember(key)) return n;
    raiseRecordError("TEXSTRUC", "Structure Member does not exist", shown(key));
    return 0;
}

rt::Value XExStruct::store(int n, const rt::Value& value) {
    // Copies: the error handler runs program code, which may change the rows.
    const rt::Value type = row(n)->items[kType];
    const rt::Value name = row(n)->items[kName];
    std::optional<rt::Value> converted = convertToMember(value, type);
    if (!converted) {
        raiseRecordError("TSTRUC", "Data type error " + nameText(name) + " (" + typeForMessage(type) + ")",
                         shown(value) + " (" + std::string(1, value.typeCode()) + ")");
        converted = value;
    }
    // The row may be gone after the handler.
    rt::Array* again = row(n);
    if (!again) return {};
    again->items[kValue] = fitToLength(*converted, type, again->items[kLength]);
    return again->items[kValue];
}

rt::Value XExStruct::New() {
    field(kMembers) = rt::Value::array();
    return rt::Value(self());
}

rt::Value XExStruct::AddMember(rt::Args args) {
    const rt::Value& names = rt::arg(args, 0);
    const rt::Value &type = rt::arg(args, 1), &initial = rt::arg(args, 2), &length = rt::arg(args, 3);
    // A given initial value is the same value in each of the names (one array for all); a default is made
    // for each, so that members declared together do not share one empty array.
    auto add = [&](const rt::Value& name) {
        if (name.isString()) rows().items.push_back(newRow(name.asString(), declareMember(type, initial, length)));
    };
    if (rt::ArrayPtr list = names.asArray()) {
        const std::vector<rt::Value> copy = list->items;
        for (const rt::Value& name : copy) add(name);
    } else {
        add(names);
    }
    return rt::Value(self());
}

rt::Value XExStruct::GetMember(rt::Args args) { return memberOf(rt::arg(args, 0)); }

rt::Value XExStruct::GetValue(rt::Args args) {
    int n = memberOf(rt::arg(args, 0));
    rt::Array* r = row(n);
    return r ? r->items[kValue] : rt::Value();
}

rt::Value XExStruct::SetValue(rt::Args args) {
    int n = memberOf(rt::arg(args, 0));
    return row(n) ? store(n, rt::arg(args, 1)) : rt::Value();
}

rt::Value XExStruct::MemberList() {
    std::string out;
    for (int n = 1; n <= memberCount(); ++n) {
        rt::Array* r = row(n);
        if (r && r->items[kName].isString()) out += r->items[kName].asString();
        out += "\r\n";
    }
    return out;
}

rt::Value XExStruct::GetKeys() {
    std::vector<rt::Value> out;
    for (int n = 1; n <= memberCount(); ++n) out.push_back(row(n) ? row(n)->items[kName] : rt::Value());
    return rt::Value::array(std::move(out));
}

rt::Value XExStruct::GetValues() {
    std::vector<rt::Value> out;
    for (int n = 1; n <= memberCount(); ++n) out.push_back(row(n) ? row(n)->items[kValue] : rt::Value());
    return rt::Value::array(std::move(out));
}

rt::Value XExStruct::SetValues(rt::Args args) {
    if (rt::ArrayPtr values = rt::arg(args, 0).asArray()) {
        const int count = std::min(memberCount(), static_cast<int>(values->items.size()));
        for (int n = 1; n <= count; ++n)
            if (rt::Array* r = row(n)) r->items[kValue] = values->items[n - 1];
    }
    return rt::Value(self());
}

rt::Value XExStruct::Reset() {
    for (int n = 1; n <= memberCount(); ++n)
        if (rt::Array* r = row(n)) r->items[kValue] = r->items[kInitial];
    return rt::Value(self());
}

rt::Value XExStruct::Clone() {
    rt::ObjectPtr copy = objectClass().instantiate();
    std::vector<rt::Value> copied;
    for (const rt::Value& r : rows().items) copied.push_back(r.isArray() ? rt::Value::array(r.asArray()->items) : r);
    copy->field(kMembers) = rt::Value::array(std::move(copied));
    return rt::Value(copy);
}

rt::Value XExStruct::Len() { return memberCount(); }

rt::Value XExStruct::GetName(rt::Args args) {
    const rt::Value& key = rt::arg(args, 0);
    rt::Array* r = key.isNumber() ? row(static_cast<int>(key.asInteger())) : nullptr;
    return r ? r->items[kName] : rt::Value();
}

rt::Value XExStruct::memberMessage(rt::Symbol message, rt::Args args) {
    std::string_view name = message.name();
    if (!name.empty() && name.front() == '_') {
        const rt::Value key(std::string(name.substr(1)));
        const std::vector<rt::Value> setArgs{key, rt::arg(args, 0)};
        return SetValue(rt::Args(setArgs));
    }
    const rt::Value key{std::string(name)};
    return GetValue(rt::Args(&key, 1));
}

}  // namespace vorpex::dialogs
