// Data sources: engine settings read at creation and written by the setters, tables made through the engine,
// data sets and processes, the error list with its report and abort paths, and the end of every source.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/object/event.h"
#include "framework/data/data.h"
#include "framework/data/data_source/data_source.h"
#include "framework/data/data_source/data_source_list.h"
#include "framework/data/data_source/dbf_data_source.h"
#include "framework/data/data_source/error_list_view.h"
#include "framework/data/tests/data_set_stand_in.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/rdd/driver_settings.h"
#include "tests/support/function_call.h"
#include "tests/support/recording_handler.h"
#include "tests/support/temp_folder.h"

namespace vorpex::data {
namespace {

using rt::Value;
using rt::testing::call;
using testing::StandInSet;

struct Shown {
    std::string function, text, caption;
};

class DataSources : public ::testing::Test {
protected:
    void SetUp() override {
        registerDataSources();
        StandInSet::registerClasses();
        StandInSet::calls().clear();
        saved_ = rt::rdd::driverSettings("DBFNTX");
        for (const char* name : {"MSGALERT", "MSGINFO", "LOGDEBUG"}) {
            rt::registerFunction(name, [this, name](rt::Args a) {
                shown.push_back({name, text(rt::arg(a, 0)), text(rt::arg(a, 1))});
                return Value(1);
            });
        }
        rt::registerFunction("ISDEBUG", [this](rt::Args) { return Value(debug); });
        XDataSource::setSharedProcess(Value("General"));
    }
    void TearDown() override {
        DATASOURCECLOSEALL();
        rt::rdd::driverSettings("DBFNTX") = saved_;
    }
    static std::string text(const Value& v) { return v.isString() ? v.asString() : std::string(); }

    // A source made as a program makes it: the class function, then New.
    static Value make(const char* className = "TNTXDATASOURCE", std::vector<Value> args = {}) {
        const Value bare = call(className);
        return rt::send(bare, rt::Symbol::intern("New"), rt::Args(args.data(), args.size()));
    }
    static Value get(const Value& o, std::string_view member) { return rt::send(o, member); }
    static Value put(const Value& o, std::string_view member, Value v) {
        return rt::send(o, "_" + std::string(member), {std::move(v)});
    }
    static Value send(const Value& o, std::string_view message, std::vector<Value> args = {}) {
        return rt::send(o, rt::Symbol::intern(message), rt::Args(args.data(), args.size()));
    }
    static StandInSet& set(const Value& v) { return static_cast<StandInSet&>(*v.asObject()); }

    std::vector<Shown> shown;
    bool debug = false;
    rt::rdd::DriverSettings saved_;
};

// ---- engine settings

TEST_F(DataSources, SettingsAreReadFromTheEngineWhenTheSourceIsMade) {
    const struct {
        bool optimize;
        int lockScheme, memoType, memoVersion, blockSize;
        double expectedMemoType;
    } cases[] = {
        {false, dlCL53, 2, 3, 64, 2.3},   // FPT carries its version as tenths
        {true, dlDEFAULT, 1, 3, 512, 1},  // a DBT has no version, whatever the engine holds
        {true, dlXHB64, 2, 0, 32, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expectedMemoType);
        rt::rdd::DriverSettings& s = rt::rdd::driverSettings("DBFNTX");
        s = {c.optimize, c.lockScheme, c.memoType, c.memoVersion, c.blockSize};
        const Value source = make();
        EXPECT_EQ(get(source, "lOptimize").asLogical(), c.optimize);
        EXPECT_EQ(get(source, "nLockScheme").asInt(), c.lockScheme);
        EXPECT_DOUBLE_EQ(get(source, "nMemoType").asDouble(), c.expectedMemoType);
        EXPECT_EQ(get(source, "nMemoSize").asInt(), c.blockSize);
        send(source, "End");
    }
}

TEST_F(DataSources, SettersWriteTheEngineForTheDriver) {
    const Value source = make();
    rt::rdd::DriverSettings& s = rt::rdd::driverSettings("DBFNTX");
    put(source, "lOptimize", !s.optimize);
    EXPECT_EQ(s.optimize, get(source, "lOptimize").asLogical());
    put(source, "nLockScheme", dlVFP);
    EXPECT_EQ(s.lockScheme, dlVFP);
    put(source, "nMemoSize", 128);
    EXPECT_EQ(s.memoBlockSize, 128);
    put(source, "nMemoSize", "big");  // the wrong type changes nothing
    EXPECT_EQ(s.memoBlockSize, 128);
    EXPECT_EQ(get(source, "nMemoSize").asInt(), 128);

    const struct {
        double value;
        int type, version;
    } memo[] = {{2.1, 2, 1}, {2.3, 2, 3}, {2.2, 2, 2}, {1, 1, 2}, {3, 3, 2}};  // no tenths: version kept
    for (const auto& m : memo) {
        SCOPED_TRACE(m.value);
        put(source, "nMemoType", Value::number(m.value, 3, 1));
        EXPECT_EQ(s.memoType, m.type);
        EXPECT_EQ(s.memoVersion, m.version);
    }
}

TEST_F(DataSources, TheLastAssignmentOnAnySourceWins) {
    const Value first = make(), second = make();
    put(first, "nMemoSize", 256);
    put(second, "nMemoSize", 1024);
    EXPECT_EQ(rt::rdd::driverSettings("DBFNTX").memoBlockSize, 1024);
    // The first source still believes 256, so assigning 256 again is not "no change".
    put(first, "nMemoSize", 256);
    EXPECT_EQ(rt::rdd::driverSettings("DBFNTX").memoBlockSize, 1024);
    put(first, "nMemoSize", 64);
    EXPECT_EQ(rt::rdd::driverSettings("DBFNTX").memoBlockSize, 64);
}

TEST_F(DataSources, OpenHookReappliesNothingAndHandsOnThePassword) {
    const Value source = make();
    rt::rdd::driverSettings("DBFNTX").memoBlockSize = 4096;  // changed behind the source's back
    const Value own = send(source, "NewDataSet", {Value("own.dbf")});
    const Value plain = send(source, "NewDataSet", {Value("plain.dbf")});
    set(own).at("cPassword") = "mine";
    EXPECT_TRUE(send(source, "OnOpen", {own}).isNil());
    EXPECT_EQ(rt::rdd::driverSettings("DBFNTX").memoBlockSize, 4096);

    send(source, "OnOpened", {plain});  // neither has a password: nothing
    put(source, "cPassword", "secret");
    send(source, "OnOpened", {own});
    send(source, "OnOpened", {plain});
    EXPECT_EQ(StandInSet::calls(),
              (std::vector<std::string>{"own.dbf:SetPassword(NIL)", "plain.dbf:SetPassword(secret)"}));
}

TEST_F(DataSources, ClassesAndDefaults) {
    const Value ntx = make();
    EXPECT_EQ(get(ntx, "ClassName").asString(), "TNtxDataSource");
    EXPECT_EQ(get(ntx, "cDriver").asString(), "DBFNTX");
    EXPECT_EQ(get(ntx, "cConnect").asString(), ".");
    EXPECT_EQ(get(ntx, "nTimeOut").asInt(), 5);
    EXPECT_TRUE(get(ntx, "lConnected").asLogical());
    EXPECT_EQ(send(ntx, "DefIdxExtension").asString(), "Ntx");
    EXPECT_EQ(send(ntx, "DefMemoExtension").asString(), "Dbt");
    const Value base = make("TDATASOURCE", {Value(), Value("C:\\datos")});
    EXPECT_EQ(get(base, "cConnect").asString(), "C:\\datos");
    EXPECT_EQ(get(base, "nTimeOut").asInt(), 30);
    EXPECT_FALSE(get(base, "lConnected").asLogical());
    // The base source connects before it makes a data set; a DBF source is connected already.
    EXPECT_TRUE(send(base, "NewDataSet", {Value("x.dbf")}).isObject());
    EXPECT_TRUE(get(base, "lConnected").asLogical());
}

// ---- tables

TEST_F(DataSources, CreateTableMakesARealTableTheEngineCanIndex) {
    rt::testing::TempFolder dir;
    const Value source = make();
    const Value structure = Value::array({Value::array({Value("NOMBRE"), Value("C"), Value(20), Value(0)}),
                                          Value::array({Value("NOTAS"), Value("M"), Value(10), Value(0)})});
    const std::string bare = dir.file("empleado");
    const Value dataSet = send(source, "CreateTable", {structure, Value(bare)});
    ASSERT_TRUE(dataSet.isObject());
    EXPECT_EQ(set(dataSet).get("cName"), bare + ".dbf");  // the file the engine wrote
    EXPECT_TRUE(std::filesystem::exists(bare + ".dbt"));
    {
        std::ifstream in(bare + ".dbf", std::ios::binary);
        EXPECT_EQ(in.get(), 0x83);  // dBASE III with memo
    }  // closed: the exclusive open below must be the only handle

    ASSERT_TRUE(call("DBUSEAREA", {Value(true), Value("DBFNTX"), Value(bare + ".dbf"), Value("EMP"), Value(false)})
                    .asLogical());
    call("ORDCREATE", {Value(dir.file("nombre.ntx")), Value(), Value("NOMBRE")});
    EXPECT_TRUE(std::filesystem::exists(dir.file("nombre.ntx")));
    call("DBCLOSEALL");

    EXPECT_TRUE(send(source, "DelTable", {Value(bare + ".dbf")}).asLogical());
    EXPECT_FALSE(std::filesystem::exists(bare + ".dbf"));
}

TEST_F(DataSources, CreateTableAnswersNothingWhenNoFileWasWritten) {
    rt::testing::RecordingHandler handler;
    const Value source = make();
    const Value bad = Value::array({Value::array({Value("X"), Value("Q"), Value(5), Value(0)})});
    rt::testing::TempFolder dir;
    EXPECT_TRUE(send(source, "CreateTable", {bad, Value(dir.file("nope"))}).isNil());
    EXPECT_TRUE(send(source, "CreateTable", {Value::array(), Value(dir.file("missing/dir/t.dbf"))}).isNil());
    EXPECT_FALSE(handler.seen.empty());
    EXPECT_TRUE(StandInSet::calls().empty());
}

// ---- data sets and processes

TEST_F(DataSources, ProcessesOpenCloseAndEndTheirSets) {
    const Value source = make();
    send(source, "NewProcess", {Value("nomina")});
    const Value a = send(source, "NewDataSet", {Value("a.dbf")});
    const Value bad = send(source, "NewDataSet", {Value("bad.dbf")});
    const Value c = send(source, "NewDataSet", {Value("c.dbf")});
    const Value other = send(source, "NewDataSet", {Value("d.dbf"), Value("Otro")});
    EXPECT_EQ(set(a).get("cProcess"), "NOMINA");
    EXPECT_EQ(set(other).get("cProcess"), "OTRO");
    EXPECT_TRUE(send(source, "NewDataSet", {Value("")}).isNil());

    EXPECT_FALSE(send(source, "OpenProcess", {Value("Nomina")}).asLogical());
    EXPECT_TRUE(set(a).at("lOpen").asLogical());
    EXPECT_FALSE(set(c).at("lOpen").asLogical());  // the walk stopped at the failure
    send(source, "CloseProcess", {Value("NOMINA")});
    EXPECT_EQ(StandInSet::calls(), (std::vector<std::string>{"a.dbf:Open", "bad.dbf:Open", "a.dbf:Close",
                                                             "bad.dbf:Close", "c.dbf:Close"}));
    EXPECT_TRUE(send(source, "OpenProcess").asLogical());  // the shared process is OTRO now

    EXPECT_EQ(send(source, "DelProcess", {Value("nomina")}).asInt(), 3);
    const Value left = get(source, "aDataSet");
    ASSERT_EQ(left.asArray()->size(), 1u);
    EXPECT_EQ(left.asArray()->at1(1).asObject(), other.asObject());
    EXPECT_EQ(send(source, "EndProcess", {Value("nadie")}).asInt(), 0);
}

TEST_F(DataSources, FindingAndRemovingSets) {
    const Value source = make();
    const Value emp = send(source, "NewDataSet", {Value("empleado.dbf"), Value("uno")});
    const Value chk = send(source, "NewDataSet", {Value("checadas.dbf"), Value("dos")});
    set(chk).at("cAlias") = "CHK";
    EXPECT_EQ(send(source, "GetDataSet", {Value("emp")}).asObject(), emp.asObject());
    EXPECT_EQ(send(source, "GetDataSet", {Value("chk")}).asObject(), chk.asObject());
    EXPECT_TRUE(send(source, "GetDataSet", {Value("emp"), Value("dos")}).isNil());
    EXPECT_TRUE(send(source, "GetDataSet", {Value("nomina")}).isNil());

    EXPECT_TRUE(send(source, "DelDataSet", {emp, Value(false)}).asLogical());
    EXPECT_FALSE(send(source, "DelDataSet", {emp}).asLogical());
    EXPECT_TRUE(StandInSet::calls().empty());  // removed, not ended
    EXPECT_TRUE(send(source, "DelDataSet", {chk}).asLogical());
    EXPECT_EQ(StandInSet::calls(), std::vector<std::string>{"checadas.dbf:End"});
    EXPECT_EQ(get(source, "aDataSet").asArray()->size(), 0u);
}

TEST_F(DataSources, ANewFolderRenamesSetsWithoutOne) {
    const Value source = make();
    const Value local = send(source, "NewDataSet", {Value("empleado.dbf")});
    const Value fixed = send(source, "NewDataSet", {Value("C:\\otro\\fijo.dbf")});
    put(source, "cConnect", "C:\\datos");
    EXPECT_EQ(get(source, "cConnect").asString(), "C:\\datos");
    EXPECT_EQ(StandInSet::calls(), std::vector<std::string>{"empleado.dbf:Rename"});
    EXPECT_EQ(set(local).get("cName"), "empleado.dbf");
}

// ---- errors

TEST_F(DataSources, AnErrorIsListedAndShownOrLogged) {
    const Value source = make();
    const Value emp = send(source, "NewDataSet", {Value("empleado.dbf")});
    {
        rt::FrameGuard caller("IMPORTAR", 42);
        send(source, "NewError", {Value("File not found"), Value(2), emp});
    }
    const Value rows = send(source, "GetErrors");
    ASSERT_EQ(rows.asArray()->size(), 1u);
    const Value row = rows.asArray()->at1(1);
    EXPECT_EQ(row.asArray()->at1(1).asString(), "empleado.dbf");
    EXPECT_EQ(row.asArray()->at1(2).asString(), "File not found");
    EXPECT_EQ(row.asArray()->at1(3).asInt(), 2);
    EXPECT_EQ(row.asArray()->at1(4).asString(), "On procedure: IMPORTAR line: 42");
    EXPECT_EQ(set(emp).get("cLastError"), "File not found");
    EXPECT_EQ(set(emp).at("nLastError").asInt(), 2);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].function, "MSGALERT");
    EXPECT_EQ(shown[0].caption, "Vorpex: DataControls error");
    EXPECT_EQ(shown[0].text, "empleado.dbf\r\n     File not found [# 2]\r\n     On procedure: IMPORTAR line: 42");

    const struct {
        bool sourceDisplays, setDisplays, noShow;
        const char* expected;  // the function that received the text, "" for none
    } cases[] = {
        {false, false, false, "LOGDEBUG"},
        {false, true, false, "MSGALERT"},
        {true, false, true, ""},
    };
    for (const auto& c : cases) {
        shown.clear();
        put(source, "lDisplayErrors", c.sourceDisplays);
        set(emp).at("lDisplayErrors") = c.setDisplays;
        send(source, "NewError", {Value("x"), Value(), emp, Value(), Value(c.noShow)});
        EXPECT_EQ(shown.empty() ? std::string() : shown[0].function, c.expected);
    }
    send(source, "NewError", {Value("Sin tabla")});
    EXPECT_EQ(send(source, "GetErrors").asArray()->items.back().asArray()->at1(1).asString(), "[None]");
    EXPECT_TRUE(send(source, "IsError").asLogical());
    EXPECT_EQ(send(source, "LastError").asString(), "Sin tabla");
    send(source, "DelErrors");
    EXPECT_FALSE(send(source, "IsError").asLogical());
    EXPECT_EQ(send(source, "LastError").asString(), "");
}

TEST_F(DataSources, MassReportAndErrorList) {
    const Value source = make();
    send(source, "ShowErrorList");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].function, "MSGINFO");
    EXPECT_EQ(shown[0].text, "TDataSource: No errors");
    EXPECT_EQ(shown[0].caption, "TDataSource errors: .");

    send(source, "NewError", {Value("uno"), Value(1), Value(), Value("a.dbf"), Value(true)});
    send(source, "NewError", {Value("dos"), Value(2), Value(), Value("b.dbf"), Value(true)});
    shown.clear();
    const std::string all = send(source, "ShowMasiveError").asString();
    EXPECT_EQ(all.substr(0, all.find("On procedure")), "a.dbf\r\n\r\nuno [# 1]\r\n\r\n");
    EXPECT_NE(all.find("\r\n\r\nb.dbf\r\n\r\ndos [# 2]\r\n\r\nOn procedure: "), std::string::npos);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, all);

    std::string viewTitle;
    size_t viewRows = 0;
    const ErrorListView old = setErrorListView([&](const std::string& title, const Value& rows) {
        viewTitle = title;
        viewRows = rows.asArray()->size();
    });
    send(source, "ShowErrorList", {Value("Errores")});
    setErrorListView(old);
    EXPECT_EQ(viewTitle, "Errores");
    EXPECT_EQ(viewRows, 2u);
}

TEST_F(DataSources, AbortingRaisesThroughTheErrorHandlerUnlessOnErrorSaysFalse) {
    const Value source = make();
    put(source, "lAbortOnErrors", true);
    put(source, "lDisplayErrors", false);
    const Value emp = send(source, "NewDataSet", {Value("empleado.dbf")});
    Value answer;
    std::vector<std::string> seen;
    assignEvent(*source.asObject(), XDataSource::OnError, Value(rt::makeBlock([&](rt::Args a) {
                    seen.push_back(rt::send(rt::arg(a, 1), "description").asString() + "/" +
                                   rt::send(rt::arg(a, 1), "procName").asString());
                    EXPECT_EQ(rt::arg(a, 2).asObject(), emp.asObject());
                    return answer;
                })));
    const Value answers[] = {Value(), Value(true), Value(false), Value(0)};
    const bool raises[] = {true, true, false, true};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        rt::testing::RecordingHandler handler;
        answer = answers[i];
        bool broke = false;
        try {
            rt::FrameGuard caller("IMPORTAR", 7);
            send(source, "NewError", {Value("Locked"), Value(i == 3 ? 0 : 1003), emp});
        } catch (const rt::Break&) {
            broke = true;  // the error allows no default: aborting breaks out of the operation
        }
        EXPECT_EQ(broke, raises[i]);
        ASSERT_EQ(handler.seen.size(), raises[i] ? 1u : 0u);
        if (!raises[i]) continue;
        const rt::Error& e = handler.seen[0];
        EXPECT_EQ(e.subSystem, "VORPEX");
        EXPECT_EQ(e.subCode, i == 3 ? 0 : 1003);
        EXPECT_EQ(e.severity, 2);
        EXPECT_EQ(e.description, "Locked");
        EXPECT_EQ(e.operation, "empleado.dbf");
    }
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], "Locked/IMPORTAR");
    // Nothing is raised for an error that is only listed.
    rt::testing::RecordingHandler handler;
    send(source, "NewError", {Value("quiet"), Value(1), emp, Value(), Value(true)});
    EXPECT_TRUE(handler.seen.empty());
}

// ---- lifetime

TEST_F(DataSources, TheListEndingAndTheExitProcedure) {
    std::vector<std::string> ended;
    auto watch = [&](const Value& source, const std::string& name) {
        assignEvent(*source.asObject(), XDataSource::OnDisconnected,
                    Value(rt::makeBlock([&ended, name](rt::Args) {
                        ended.push_back(name);
                        return Value();
                    })));
    };
    const Value before = DATASOURCES({});
    const size_t base = before.asArray()->size();
    const Value one = make(), two = make();
    watch(one, "one");
    watch(two, "two");
    EXPECT_EQ(call("DATASOURCES").asArray()->size(), base + 2);
    const Value open = send(two, "NewDataSet", {Value("abierta.dbf")});
    send(open, "Open");
    send(two, "NewDataSet", {Value("cerrada.dbf")});
    StandInSet::calls().clear();

    debug = true;
    call("DATASOURCEEXITPROC");
    EXPECT_EQ(ended, (std::vector<std::string>{"two", "one"}));  // newest first
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "VORPEX TNtxDataSource: 1 files not closed correctly");
    EXPECT_EQ(StandInSet::calls(), (std::vector<std::string>{"abierta.dbf:Destroy(.F.)", "cerrada.dbf:Destroy(.F.)"}));
    EXPECT_EQ(call("DATASOURCES").asArray()->size(), base);
    EXPECT_EQ(get(two, "aDataSet").asArray()->size(), 0u);

    // Without debug mode nothing is shown; DATASOURCES with an array replaces the list.
    debug = false;
    shown.clear();
    const Value three = make();
    send(send(three, "NewDataSet", {Value("x.dbf")}), "Open");
    const Value swapped = DATASOURCES(std::vector<Value>{Value::array()});
    EXPECT_EQ(swapped.asArray()->size(), base + 1);
    DATASOURCES(std::vector<Value>{swapped});
    DATASOURCEEXITPROC();
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(call("DATASOURCES").asArray()->size(), base);
}

TEST_F(DataSources, AnOwnerIsToldOfItsSource) {
    std::vector<std::string> told;
    rt::ClassBuilder b("DATASOURCEOWNERTEST", &rt::baseObjectClass(), nullptr);
    b.addMethod("InsertComponent", [&](rt::Object&, const rt::Method&, rt::Args) {
        told.push_back("Insert");
        return Value();
    });
    b.addMethod("RemoveComponent", [&](rt::Object&, const rt::Method&, rt::Args) {
        told.push_back("Remove");
        return Value();
    });
    const rt::Class& ownerClass = b.create();
    const Value owner(ownerClass.instantiate());
    bool created = false;
    const Value source = call("TNTXDATASOURCE");
    assignEvent(*source.asObject(), XDataSource::OnCreate, Value(rt::makeBlock([&](rt::Args) {
                    created = true;
                    return Value();
                })));
    send(source, "New", {owner});
    EXPECT_TRUE(created);
    EXPECT_EQ(get(source, "oParent").asObject(), owner.asObject());
    send(source, "End");
    EXPECT_EQ(told, (std::vector<std::string>{"Insert", "Remove"}));
}

}  // namespace
}  // namespace vorpex::data

namespace vorpex::data {
namespace {

// The runtime's end runs the exit procedure that registerDataSources added: no source outlives the program.
TEST(DataSourceExit, TheRuntimeEndEndsEverySource) {
    registerDataSources();
    const size_t before = DATASOURCES({}).asArray()->size();
    const Value bare = call("TNTXDATASOURCE");
    rt::send(bare, rt::Symbol::intern("New"));
    ASSERT_EQ(DATASOURCES({}).asArray()->size(), before + 1);
    rt::resetForTests();
    rt::quit();
    rt::resetForTests();
    EXPECT_EQ(DATASOURCES({}).asArray()->size(), 0u);
}

}  // namespace
}  // namespace vorpex::data
