// A DBF source over a scratch folder with the employee table (NOMBRE C 10, EDAD N 3; records "E1".."En" aged
// 21..), data sets made on it, and the alerts and debug lines the data layer would show, recorded.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/data/data.h"
#include "framework/data/data_source/data_source_list.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/function_call.h"
#include "tests/support/temp_folder.h"

namespace vorpex::data::testing {

inline rt::Value ask(const rt::Value& o, std::string_view message, std::vector<rt::Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), rt::Args(args.data(), args.size()));
}

// A data-aware control as far as a set talks to it: every message it receives, with its numeric arguments.
class ControlStub : public rt::Object {
public:
    using rt::Object::Object;
    std::vector<std::string> got;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            rt::ClassBuilder b("DATASETTESTCONTROL", &rt::baseObjectClass(), rt::factoryOf<ControlStub>());
            for (const char* m : {"Refresh", "SetFieldObject", "ResetDataField", "GetData", "SetData", "Lock", "UnLock"})
                b.addMethod(m, [m](rt::Object& o, const rt::Method&, rt::Args a) {
                    std::string line = m;
                    for (size_t i = 1; i < a.size(); ++i)
                        if (!rt::arg(a, i).isNil()) line += " " + std::to_string(rt::arg(a, i).asInt());
                    static_cast<ControlStub&>(o).got.push_back(line);
                    return rt::Value();
                });
            return b.create();
        }();
        return c;
    }
};

class DataSetFixture : public ::testing::Test {
protected:
    void SetUp() override {
        registerDataSets();
        rt::registerFunction("MSGALERT", [this](rt::Args a) {
            shown.push_back(text(rt::arg(a, 0)));
            titles.push_back(text(rt::arg(a, 1)));
            if (onAlert) onAlert();
            return rt::Value();
        });
        rt::registerFunction("LOGDEBUG", [this](rt::Args a) {
            shown.push_back(text(rt::arg(a, 0)));
            return rt::Value();
        });
        makeTable(10);
        source = ask(rt::testing::call("TNTXDATASOURCE"), "New");
        ask(source, "_cConnect", {rt::Value(dir.path().string())});
    }
    void TearDown() override {
        DATASOURCECLOSEALL();
        rt::testing::call("DBCLOSEALL");
    }
    void makeTable(int rows) {
        const std::string file = table();
        rt::testing::call("DBCREATE", {rt::Value(file), rt::Value::array({
            rt::Value::array({rt::Value("NOMBRE"), rt::Value("C"), rt::Value(10), rt::Value(0)}),
            rt::Value::array({rt::Value("EDAD"), rt::Value("N"), rt::Value(3), rt::Value(0)})})});
        rt::rdd::WorkArea* a = openArea("MAKER");
        ASSERT_NE(a, nullptr);
        for (int i = 1; i <= rows; ++i) {
            a->append();
            a->fieldPut(1, rt::Value("E" + std::to_string(i)));
            a->fieldPut(2, rt::Value(20 + i));
        }
        rt::rdd::WorkAreas::instance().close(a->number());
    }
    std::string table() const { return dir.file("empleado.dbf"); }
    // Another handle on the table, shared, in a new area: another user as far as locks go.
    rt::rdd::WorkArea* openArea(const std::string& alias) {
        rt::rdd::UseOptions o;
        o.newArea = true;
        o.alias = alias;
        o.shared = true;
        rt::rdd::WorkAreas& areas = rt::rdd::WorkAreas::instance();
        return areas.use(table(), o) ? areas.current() : nullptr;
    }
    rt::Value newSet(const char* name = "empleado") {
        return ask(rt::testing::call("TDBFDATASET"), "Create", {rt::Value(), source, rt::Value(name), rt::Value("GENERAL")});
    }
    rt::Value openSet() {
        const rt::Value set = newSet();
        EXPECT_TRUE(ask(set, "Open").asLogical());
        return set;
    }
    static int num(const rt::Value& v) { return v.asInt(); }
    static std::string text(const rt::Value& v) { return v.isString() ? v.asString() : std::string(); }
    bool wasShown(const std::string& part) const {
        for (const std::string& s : shown)
            if (s.find(part) != std::string::npos) return true;
        return false;
    }

    rt::testing::TempFolder dir;
    rt::Value source;
    std::vector<std::string> shown, titles;
    std::function<void()> onAlert;
};

}  // namespace vorpex::data::testing
