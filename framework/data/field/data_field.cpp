#include "framework/data/field/data_field.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/data/data_source/data_errors.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"
#include "runtime/lib/compare.h"

namespace vorpex::data {

namespace {

// "==" without its error: values of different types are simply different (NIL only equals NIL).
bool sameValue(const rt::Value& a, const rt::Value& b) {
    if (a.type() != b.type()) return false;
    return rt::compareTest(rt::CompareOp::ExactEqual, a, b);
}

}  // namespace

const rt::Class& XDataField::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XDataField;
        VPClass b("XDataField", &TComponent::classRecord(), rt::factoryOf<XDataField>());
        kGetValue = b.addData("bGetValue", {}, "B", Exported);
        kValue = b.addProperty({.name = "Value", .scope = Published, .getter = &X::GetValue, .setter = &X::SetValue});
        b.addProperty({.name = "Buffer", .scope = Published, .getter = &X::GetValue, .setter = &X::SetValue});
        kModified = b.addProperty({.name = "lModified", .type = "L", .scope = Published, .getter = &X::GetModified,
                                   .setter = &X::SetModified});
        kDefValue = b.addProperty({.name = "DefValue", .scope = Published});
        kDataSet = b.addProperty({.name = "oDataSet", .type = "O", .scope = Published});
        kName = b.addProperty({.name = "cName", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "cDisplayName", .initial = "", .type = "C", .scope = Published});
        kDbfName = b.addProperty({.name = "cDbfName", .initial = "", .type = "C", .scope = Published});
        kType = b.addProperty({.name = "cType", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "nSQLType", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "nLen", .initial = 0, .type = "N", .scope = Published});
        b.addProperty({.name = "nSQLLen", .initial = 0, .type = "N", .scope = Published});
        b.addProperty({.name = "nDec", .initial = 0, .type = "N", .scope = Published});
        b.addProperty({.name = "nSQLDec", .initial = 0, .type = "N", .scope = Published});
        kIndex = b.addProperty({.name = "nIndex", .initial = 0, .type = "N", .scope = Published});
        b.addProperty({.name = "lAllowsNull", .initial = true, .type = "L", .scope = Published});
        kEditable = b.addProperty({.name = "lEditable", .initial = true, .type = "L", .scope = Published});
        b.addProperty({.name = "lAutoInc", .initial = false, .type = "L", .scope = Published});
        b.addEvent("OnGetValue", Published, "oSender, lBuffer");
        b.addEvent("OnSetValue", Published, "oSender, xValue, lKeepControls");
        addMembers<XDataField>(b);
        return b.create();
    }();
    return c;
}

rt::Value XDataField::Create(rt::Args args) {
    const rt::Value& set = rt::arg(args, 0);
    XComponent::Create(args.first(std::min<size_t>(args.size(), 1)));
    // The set owns its fields: the way back is weak.
    field(kDataSet) = set.isObject() ? rt::Value::weak(set.asObject()) : rt::Value();
    field(kIndex) = rt::arg(args, 1).isNumber() ? rt::arg(args, 1) : rt::Value(0);
    const rt::Value name = rt::arg(args, 2).isString() ? rt::arg(args, 2) : rt::Value("");
    field(kName) = name;
    field(kDbfName) = name;
    return selfValue();
}

rt::Value XDataField::Free(rt::Args args) {
    field(kDataSet) = rt::Value();
    clearEvents(*this);
    return XComponent::Free(args);
}

rt::Value XDataField::sendToSet(const char* message, rt::Args args) {
    const rt::Value set = oDataSet();
    if (!set.isObject()) return {};
    return rt::send(set, rt::Symbol::intern(message), args);
}

rt::Value XDataField::GetValue(rt::Args args) {
    const rt::Value buffer = rt::arg(args, 0);
    rt::Value v;
    if (eventAssigned(*this, OnGetValue)) {
        v = fireEvent(*this, OnGetValue, {buffer});
    } else {
        const rt::Value call[] = {rt::Value(nIndex()), buffer};
        v = sendToSet("FieldGet", rt::Args(call, 2));
    }
    field(kValue) = v;
    return v;
}

rt::Value XDataField::SetValue(rt::Args args) {
    const rt::Value value = rt::arg(args, 0);
    if (eventAssigned(*this, OnSetValue)) {
        field(kValue) = fireEvent(*this, OnSetValue, {value, rt::arg(args, 1)});
    } else {
        // The set answers NIL for a write it refused: the field then does not claim the value.
        const rt::Value call[] = {rt::Value(nIndex()), value, rt::arg(args, 1)};
        field(kValue) = oDataSet().isObject() ? sendToSet("FieldPut", rt::Args(call, 3)) : value;
    }
    return field(kValue);
}

rt::Value XDataField::FieldGet(rt::Args args) {
    const rt::Value call[] = {rt::Value(nIndex()), rt::arg(args, 0)};
    return sendToSet("FieldGet", rt::Args(call, 2));
}

rt::Value XDataField::FieldPut(rt::Args args) {
    const rt::Value call[] = {rt::Value(nIndex()), rt::arg(args, 0), rt::Value(true)};
    return sendToSet("FieldPut", rt::Args(call, 3));
}

rt::Value XDataField::VarGet(rt::Args) {
    logDebug("TDatafield:Varget() deprecated, use Value");
    return GetValue({});
}

rt::Value XDataField::VarPut(rt::Args args) {
    logDebug("TDatafield:Varput() deprecated, use Value := ?");
    return SetValue(args.first(std::min<size_t>(args.size(), 1)));
}

rt::Value XDataField::Load(rt::Args) {
    field(kModified) = rt::Value();
    return GetValue({});
}

rt::Value XDataField::Blank(rt::Args) {
    field(kModified) = lEditable() && !DefValue().isNil();
    return DefValue();
}

rt::Value XDataField::InitValue(rt::Args) {
    const rt::Value set = oDataSet();
    if (!set.isObject()) return {};
    const rt::Value record = rt::send(set, "aRecord");
    const int n = nIndex();
    if (!record.isArray() || n < 1 || static_cast<size_t>(n) > record.asArray()->items.size()) return {};
    return record.asArray()->items[n - 1];
}

rt::Value XDataField::GetModified(rt::Args) {
    const rt::Value& flag = field(kModified);
    if (flag.isLogical()) return flag;
    const rt::Value now = GetValue({});
    return rt::Value(!sameValue(now, InitValue({})));
}

rt::Value XDataField::SetModified(rt::Args args) {
    field(kModified) = rt::arg(args, 0);
    return field(kModified);
}

rt::Value XDataField::SetGetFValue(rt::Args args) {
    if (!args.empty()) field(kValue) = rt::arg(args, 0);
    return field(kValue);
}

std::string XDataField::basicType(const std::string& type) {
    const std::string t = rt::upper(type);
    for (const char* numeric : {"INTEGER", "SHORTINT", "CURDOUBLE", "DOUBLE", "AUTOINC"})
        if (t == numeric) return "N";
    if (t == "TIME" || t == "TIMESTAMP") return "C";
    if (t == "BINARY" || t == "IMAGE" || t == "RAW" || (!t.empty() && t[0] == 'B')) return "M";
    return type;
}

rt::Value XDataField::BasicType(rt::Args) {
    const rt::Value& t = field(kType);
    return rt::Value(basicType(t.isString() ? t.asString() : std::string()));
}

// The handlers are blocks over the sender (the field itself), so they hold no reference to it.
void XDataField::makeUserVar(const rt::Value& initial) {
    field(kValue) = initial;
    assignEvent(*this, OnGetValue, rt::Value(rt::makeBlock([](rt::Args a) {
        return rt::send(rt::arg(a, 0), "SetGetFValue");
    }, "{|o| o:SetGetFValue() }")));
    assignEvent(*this, OnSetValue, rt::Value(rt::makeBlock([](rt::Args a) {
        const rt::Value v = rt::arg(a, 1);
        return rt::send(rt::arg(a, 0), "SetGetFValue", {v});
    }, "{|o, x| o:SetGetFValue(x) }")));
}

void XDataField::makeCalcField(const rt::Value& block) {
    field(kGetValue) = block;
    assignEvent(*this, OnGetValue, block);
    assignEvent(*this, OnSetValue, rt::Value(rt::makeBlock([](rt::Args a) {
        return rt::send(rt::arg(a, 0), "SetGetFValue");
    }, "{|o| o:SetGetFValue() }")));
}

}  // namespace vorpex::data
