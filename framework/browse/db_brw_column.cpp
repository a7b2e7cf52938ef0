#include "framework/browse/db_brw_column.h"

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace browse;

const rt::Class& XDBBrwColumn::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XDBBrwColumn", &TBrwColumn::classRecord(), rt::factoryOf<XDBBrwColumn>());
        kField = b.addProperty({.name = "oDataField", .scope = Published, .setter = "SetFieldObject"});
        kSortEval = b.addProperty({.name = "cSortEval", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "cNullValue", .initial = "", .type = "C", .scope = Published});
        addMembers<XDBBrwColumn>(b);
        return b.create();
    }();
    return c;
}

Value XDBBrwColumn::boundField() const {
    const Value& f = field(kField);
    return f.isObject() ? f : Value();
}

std::string XDBBrwColumn::cSortEval() const {
    const Value& v = field(kSortEval);
    return v.isString() ? v.asString() : std::string();
}

Value XDBBrwColumn::GetData(rt::Args args) {
    const Value f = boundField();
    if (f.isNil()) return Value("");
    const Value v = rt::send(f, "GetValue", {Value(givenOr(args, 1, true))});
    if (!v.isNil() || !givenOr(args, 0, true)) return v;
    return rt::send(*this, "cNullValue");
}

// A name is looked up in the browse's data set; until it is found the column keeps the name.
Value XDBBrwColumn::SetFieldObject(rt::Args args) {
    XBrowse* grid = browse();
    const bool refresh = givenOr(args, 1, grid && grid->windowExists() && grid->lRedrawOn());
    const bool automatic = givenOr(args, 2, false);
    Value given = rt::arg(args, 0);
    const Value header = rt::send(*this, "cHeader");
    const bool noHeader = !header.isString() || header.asString().empty();
    if (given.isString()) {
        if (noHeader) rt::send(*this, "_cHeader", {given});
        const Value set = grid ? sendIfUnderstood(Value(grid->self()), "oDataSet") : Value();
        const Value found = set.isObject() ? sendIfUnderstood(set, "oFieldByName", {given}) : Value();
        if (found.isObject()) given = found;
    } else if (given.isObject() && noHeader) {
        rt::send(*this, "_cHeader", {rt::send(given, "cName")});
    }
    field(kField) = given;
    if (!given.isObject()) return false;
    if (automatic) {
        const Value type = rt::send(given, "cType");
        rt::send(*this, "SetAlignment", {Value(type.isString() && type.asString() == "N" ? 2 : 0), Value(false)});
        rt::send(*this, "Adjust", {true});
    }
    if (refresh && grid) grid->refreshDrawn(false);
    return true;
}

Value XDBBrwColumn::ResetDataField(rt::Args) {
    const Value f = boundField();
    if (f.isObject()) field(kField) = rt::send(f, "cName");
    return field(kField);
}

}  // namespace vorpex
