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
        b.addProperty({.name = "oDataField", .scope = Published});
        kSortEval = b.addProperty({.name = "cSortEval", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "cNullValue", .initial = "", .type = "C", .scope = Published});
        addMembers<XDBBrwColumn>(b);
        return b.create();
    }();
    return c;
}

const rt::Class& XDbfBrwColumn::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XDbfBrwColumn", &TBrwColumn::classRecord(), rt::factoryOf<XDbfBrwColumn>());
        b.addProperty({.name = "cFieldName", .scope = Published});
        b.addData("nField", 0, "N");
        b.addData("nFieldLen", 0, "N");
        b.addData("nFieldDec", 0, "N");
        b.addData("cFieldType", "", "C");
        // The base column's GetData answers "": there is no work area to read.
        return b.create();
    }();
    return c;
}

Value XDBBrwColumn::boundField() const {
    const Value& f = dataField();
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

}  // namespace vorpex
