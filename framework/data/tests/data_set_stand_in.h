// A stand-in for the data sets that open through a source: the members a source reads and the calls it makes
// (Create, Open, Close, End, Destroy, SetPassword), recorded. Registered as TDataSet and TDbfDataSet for the
// test program only, so that NewDataSet and CreateTable have a class to make.
#pragma once

#include <string>
#include <vector>

#include "runtime/core/class_builder.h"
#include "runtime/core/object.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"

namespace vorpex::data::testing {

class StandInSet : public rt::Object {
public:
    using rt::Object::Object;

    // Every call any stand-in received, as "NAME:Message".
    static std::vector<std::string>& calls() {
        static std::vector<std::string> log;
        return log;
    }

    std::string get(const char* member) const {
        const rt::Value& v = field(objectClass().fieldPosition(member));
        return v.isString() ? v.asString() : std::string();
    }
    rt::Value& at(const char* member) { return field(objectClass().fieldPosition(member)); }
    void note(const std::string& message) { calls().push_back(get("cName") + ":" + message); }

    rt::Value Create(rt::Args a) {
        at("oDataSource") = rt::Value::weak(rt::arg(a, 1).asObject());
        at("cName") = rt::arg(a, 2);
        at("cProcess") = rt::arg(a, 3);
        const rt::Value me(self());
        rt::send(rt::arg(a, 1), rt::Symbol::intern("AddDataSet"), rt::Args(&me, 1));
        return me;
    }
    // A set whose name holds "BAD" cannot open.
    rt::Value Open(rt::Args) {
        note("Open");
        const bool ok = rt::upper(get("cName")).find("BAD") == std::string::npos;
        if (ok) at("lOpen") = true;
        return rt::Value(ok);
    }
    rt::Value Close(rt::Args) {
        note("Close");
        at("lOpen") = false;
        return {};
    }
    // Ends as the real set does: leaves its source without being ended again.
    rt::Value End(rt::Args) {
        note("End");
        const rt::Value source = at("oDataSource");
        const rt::Value call[] = {rt::Value(self()), rt::Value(false)};
        if (source.isObject()) rt::send(source, rt::Symbol::intern("DelDataSet"), rt::Args(call, 2));
        return {};
    }
    rt::Value Destroy(rt::Args a) {
        note(std::string("Destroy") + (rt::arg(a, 0).asLogical() ? "(.T.)" : "(.F.)"));
        return {};
    }
    // The set resolves its file again when its name is assigned.
    rt::Value SetName(rt::Args a) {
        at("cName") = rt::arg(a, 0);
        note("Rename");
        return at("cName");
    }
    rt::Value SetPassword(rt::Args a) {
        note("SetPassword(" + (rt::arg(a, 0).isString() ? rt::arg(a, 0).asString() : std::string("NIL")) + ")");
        return {};
    }

    static const rt::Class& build(const char* name) {
        rt::ClassBuilder b(name, &rt::baseObjectClass(), rt::factoryOf<StandInSet>());
        for (const char* member : {"cName", "cAlias", "cProcess", "cLastError", "cPassword"}) b.addData(member, "");
        b.addData("nLastError", 0);
        b.addData("lOpen", false);
        b.addData("lDisplayErrors", false);
        b.addData("oDataSource");
        b.addMethod("Create", rt::method(&StandInSet::Create));
        b.addMethod("Open", rt::method(&StandInSet::Open));
        b.addMethod("Close", rt::method(&StandInSet::Close));
        b.addMethod("End", rt::method(&StandInSet::End));
        b.addMethod("Destroy", rt::method(&StandInSet::Destroy));
        b.addMethod("SetPassword", rt::method(&StandInSet::SetPassword));
        b.addMethod("_cName", rt::method(&StandInSet::SetName));
        return b.create();
    }
    static void registerClasses() {
        static const bool done = [] {
            build("TDataSet");
            build("TDbfDataSet");
            return true;
        }();
        (void)done;
    }
};

}  // namespace vorpex::data::testing
