#include "framework/data/data_controls/data_controls.h"

#include <vector>

#include "framework/core/native/value_readers.h"
#include "framework/data/data_set/error_trap.h"
#include "framework/data/data_source/data_errors.h"
#include "framework/core/object/optional_send.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/core/symbol.h"

namespace vorpex::data {

namespace {

using native::textOf;

using rt::Value;

struct Slots {
    int dataSet = -1, dataField = -1, editable = -1, autoSave = -1;
    const rt::Class* base = nullptr;
};

// The edit class's own method of that name.
Value inherited(const Slots& at, rt::Object& self, const char* message, rt::Args args) {
    const rt::Method* m = at.base->find(rt::Symbol::intern(message));
    return m ? rt::invoke(self, *m, args) : Value();
}

Value dataSetOf(rt::Object& self, const Slots& at) {
    const Value& v = self.field(at.dataSet);
    return v.isObject() ? v : Value();
}
Value& dataFieldOf(rt::Object& self, const Slots& at) { return self.field(at.dataField); }
bool boundToField(rt::Object& self, const Slots& at) { return dataFieldOf(self, at).isObject(); }

bool editing(const Value& set) {
    return set.isObject() &&
           (sendIfUnderstood(set, "lOnEdit").asLogical() || sendIfUnderstood(set, "lOnAppend").asLogical());
}

// A field object turns back into its name, to be bound again when the set opens.
void unbindField(rt::Object& self, const Slots& at) {
    Value& f = dataFieldOf(self, at);
    if (f.isObject()) f = rt::send(f, "cName");
}

// The set leaves only when it does not edit (or when forced): a control that joined a new set while still on
// the old one's list would have the old set's Update read it.
Value setDataSet(rt::Object& self, const Slots& at, rt::Args args) {
    const Value set = rt::arg(args, 0), old = dataSetOf(self, at);
    const bool force = rt::arg(args, 1).asLogical();
    const Value me(self.self());
    if (old.isObject()) {
        if (old.sameAs(set)) return old;
        if (!force && editing(old)) return old;
        rt::send(old, rt::Symbol::intern("DelLinkedControl"), rt::Args(&me, 1));
        unbindField(self, at);
        self.field(at.dataSet) = Value();
    }
    if (!set.isObject()) return Value();
    self.field(at.dataSet) = Value::weak(set.asObject());
    rt::send(set, rt::Symbol::intern("AddLinkedControl"), rt::Args(&me, 1));
    const Value given = dataFieldOf(self, at);
    if (!given.isNil()) rt::send(self, "_oDataField", {given});
    return set;
}

// Binding shows the field's value at once; a value the edit cannot take is logged and leaves it unbound.
Value dcSetFieldObject(rt::Object& self, const Slots& at, rt::Args args) {
    Value f = args.empty() ? dataFieldOf(self, at) : rt::arg(args, 0);
    if (f.isString()) {
        const Value set = dataSetOf(self, at);
        const Value found = set.isObject() ? sendIfUnderstood(set, "oFieldByName", {f}) : Value();
        if (!found.isObject()) {
            dataFieldOf(self, at) = f;
            return f;
        }
        f = found;
    }
    if (!f.isObject()) {
        dataFieldOf(self, at) = f;
        return f;
    }
    dataFieldOf(self, at) = f;
    if (!dataSetOf(self, at).isObject()) setDataSet(self, at, std::vector<Value>{rt::send(f, "oDataSet")});
    ErrorTrap trap(rt::ErrorAction::Break);
    try {
        rt::send(self, "Refresh");
    } catch (const rt::Break&) {
        const Value v = rt::send(f, "Value");
        logDebug("VORPEX Warning: Incorrect type on field " + textOf(rt::send(f, "cName")) + ", type: " +
                 std::string(1, v.typeCode()));
        dataFieldOf(self, at) = Value("");
    }
    return dataFieldOf(self, at);
}

Value setFieldObject(rt::Object& self, const Slots& at, rt::Args args) {
    const Value bound = dcSetFieldObject(self, at, args);
    if (bound.isObject())
        rt::send(self, "_nMaxLength", {Value(displayLength(textOf(rt::send(bound, "cType")), rt::send(bound, "nLen").asInt()))});
    return bound;
}

Value refresh(rt::Object& self, const Slots& at, rt::Args args) {
    const Value set = dataSetOf(self, at);
    if (boundToField(self, at) && set.isObject() && !editing(set))
        rt::send(self, "_Value", {rt::send(dataFieldOf(self, at), "Value")});
    return inherited(at, self, "Refresh", args);
}

// The typed value goes into the buffer; the other controls on the same field show it, this one keeps its text.
Value change(rt::Object& self, const Slots& at, rt::Args args) {
    const Value result = inherited(at, self, "Change", args);
    const Value set = dataSetOf(self, at);
    if (!boundToField(self, at) || !editing(set)) return result;
    const Value f = dataFieldOf(self, at), value = rt::send(self, "Value");
    rt::send(f, "SetValue", {value, Value(true)});
    const Value linked = rt::send(set, "aLinkedControls");
    for (const Value& c : linked.isArray() ? linked.asArray()->items : std::vector<Value>{}) {
        if (!c.isObject() || c.asObject().get() == &self) continue;
        const Value other = sendIfUnderstood(c, "oDataField");
        if (other.isObject() && other.sameAs(f)) rt::send(c, "_Value", {value});
    }
    return result;
}

Value setReadOnly(rt::Object& self, const Slots& at, rt::Args args) {
    const bool asked = rt::arg(args, 0).asLogical();
    const Value call(editing(dataSetOf(self, at)) ? asked : true);
    return inherited(at, self, "SetReadOnly", rt::Args(&call, 1));
}

Value setData(rt::Object& self, const Slots& at, rt::Args) {
    if (boundToField(self, at) && self.field(at.autoSave).asLogical())
        rt::send(dataFieldOf(self, at), "SetValue", {rt::send(self, "Value"), Value(true)});
    return Value();
}

Value getData(rt::Object& self, const Slots& at, rt::Args) {
    const Value f = dataFieldOf(self, at);
    if (!f.isObject()) {
        logDebug("VORPEX: " + self.objectClass().name() + ":oDataField is not a valid TDataField Object (" +
                 (f.isString() ? f.asString() : std::string("NIL")) + ")");
        return rt::send(self, "Value");
    }
    Value v = rt::send(f, "Value");
    if (v.isNil()) v = rt::send(f, "DefValue");
    rt::send(self, "_Value", {v});
    return rt::send(self, "Value");
}

using Body = Value (*)(rt::Object&, const Slots&, rt::Args);

}  // namespace

int displayLength(const std::string& type, int length) {
    if (type == "D") return static_cast<int>(rt::effectiveDateFormat().size());
    if (type == "M") return 0;
    return length;
}

void addDataControlMembers(VPClass& b, const rt::Class& base) {
    using namespace rt::scope;
    Slots at;
    at.base = &base;
    at.dataSet = b.addProperty({.name = "oDataSet", .type = "O", .scope = Published, .setter = "SetDataSet"});
    at.dataField = b.addProperty({.name = "oDataField", .scope = Published, .setter = "SetFieldObject"});
    at.editable = b.addProperty({.name = "lEditable", .initial = true, .type = "L", .scope = Published});
    at.autoSave = b.addProperty({.name = "lAutoSave", .initial = true, .type = "L", .scope = Published});
    b.addProperty({.name = "lReadOnly", .initial = true, .setter = "SetReadOnly"});
    const auto bind = [&](const char* name, Body body) {
        b.addMethod(name, [at, body](rt::Object& self, const rt::Method&, rt::Args args) {
            return body(self, at, args);
        });
    };
    bind("Refresh", refresh);
    bind("Change", change);
    bind("SetDataSet", setDataSet);
    bind("DCSetFieldObject", dcSetFieldObject);
    bind("ResetDataField", [](rt::Object& self, const Slots& s, rt::Args) {
        unbindField(self, s);
        return dataFieldOf(self, s);
    });
    bind("SetData", setData);
    bind("GetData", getData);
    bind("SetFieldObject", setFieldObject);
    bind("SetReadOnly", setReadOnly);
    bind("Lock", [](rt::Object& self, const Slots&, rt::Args) { return rt::send(self, "_lReadOnly", {Value(true)}); });
    bind("UnLock", [](rt::Object& self, const Slots& s, rt::Args) {
        return rt::send(self, "_lReadOnly", {Value(!self.field(s.editable).asLogical())});
    });
    bind("Free", [](rt::Object& self, const Slots& s, rt::Args args) {
        setDataSet(self, s, std::vector<Value>{Value(), Value(true)});
        return inherited(s, self, "Free", args);
    });
}

}  // namespace vorpex::data
