// DBF data sets over a real table: opening through a source (fields from the structure, aliases, the
// refusals), navigation with its notifications and its own work area, reading by name, and the record copy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/object/event.h"
#include "framework/data/tests/data_set_fixture.h"
#include "framework/data/data_set/dbf_data_set.h"
#include "framework/data/data_source/data_source_list.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/function_call.h"
#include "tests/support/recording_handler.h"
#include "tests/support/temp_folder.h"

namespace vorpex::data {
namespace {

using rt::Value;
using rt::rdd::WorkAreas;
using rt::testing::call;
using testing::ask;

using DataSets = testing::DataSetFixture;

TEST_F(DataSets, OpenMakesOneFieldPerColumnAndFindsThemByName) {
    const Value set = newSet();
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_TRUE(ask(set, "lOpen").asLogical());
    EXPECT_EQ(ask(set, "cAlias").asString(), "EMPLEADO");
    EXPECT_EQ(WorkAreas::instance().currentNumber(), num(ask(set, "Area")));  // Open leaves its area current
    EXPECT_EQ(num(ask(set, "FCount")), 2);
    EXPECT_EQ(num(ask(set, "FieldPos", {Value("edad")})), 2);
    EXPECT_EQ(num(ask(set, "FieldPos", {Value("SUELDO")})), 0);
    EXPECT_FALSE(ask(set, "FieldExist", {Value("SUELDO")}).asLogical());
    const Value edad = ask(set, "oFieldByName", {Value("EDAD")});
    ASSERT_TRUE(edad.isObject());
    EXPECT_EQ(ask(edad, "cType").asString(), "N");
    EXPECT_EQ(num(ask(edad, "nLen")), 3);
    EXPECT_EQ(num(ask(edad, "DefValue")), 0);
    EXPECT_FALSE(ask(edad, "lAllowsNull").asLogical());
    EXPECT_EQ(num(ask(set, "FieldGetByName", {Value("EDAD")})), 21);
    EXPECT_EQ(num(ask(edad, "Value")), 21);
    EXPECT_FALSE(ask(edad, "lModified").asLogical());  // loaded on open
    const Value names = ask(set, "FieldNames");
    ASSERT_EQ(names.asArray()->items.size(), 2u);
    EXPECT_EQ(names.asArray()->items[0].asString(), "NOMBRE");

    EXPECT_TRUE(ask(set, "Close").asLogical());
    EXPECT_FALSE(ask(set, "lOpen").asLogical());
    EXPECT_EQ(WorkAreas::instance().numberOf("EMPLEADO"), 0);
}

TEST_F(DataSets, SetsOnOneTableTakeNumberedAliases) {
    const Value a = newSet(), b = newSet(), c = newSet();
    for (const Value& s : {a, b, c}) ASSERT_TRUE(ask(s, "Open").asLogical());
    EXPECT_EQ(ask(b, "cAlias").asString(), "EMPLEADO0");
    EXPECT_EQ(ask(c, "cAlias").asString(), "EMPLEADO1");
    ask(b, "GoTo", {Value(7)});
    EXPECT_EQ(num(ask(a, "Recno")), 1);  // each set moves in its own area
    EXPECT_EQ(num(ask(b, "Recno")), 7);
}

TEST_F(DataSets, OpenRefusalsAreReportedThroughTheSource) {
    ask(source, "_lDisplayErrors", {Value(false)});
    const Value noName = newSet("");
    EXPECT_FALSE(ask(noName, "Open").asLogical());
    const Value bare = ask(call("TDBFDATASET"), "Create", {Value(), Value(), Value("empleado")});
    EXPECT_FALSE(ask(bare, "Open").asLogical());
    EXPECT_EQ(ask(bare, "cLastError").asString(), "No DataSource, imppossible to continue");
    const Value twice = newSet();
    ASSERT_TRUE(ask(twice, "Open").asLogical());
    EXPECT_TRUE(ask(twice, "Open").asLogical());
    EXPECT_EQ(ask(twice, "cLastError").asString(), "empleado.Dbf Already opened");
    ASSERT_GE(shown.size(), 2u);
    EXPECT_NE(shown[0].find("Property cName not assigned, imppossible to continue"), std::string::npos);
    EXPECT_NE(shown.back().find("empleado.Dbf Already opened"), std::string::npos);
    rt::testing::RecordingHandler openFails;  // answers Default, as the program's handler does
    const Value missing = newSet("nada");
    EXPECT_FALSE(ask(missing, "Open").asLogical());
    EXPECT_EQ(ask(missing, "cLastError").asString(), "nada.Dbf not found, impossible to continue.");
}

// A source of the wrong kind goes to the error handler and the set keeps what it had; lCheck .F. skips the check.
TEST_F(DataSets, SourceOfTheWrongKindIsRefused) {
    struct Case {
        const char* setClass;
        const char* sourceClass;
        const char* description;
    };
    const Case cases[] = {
        {"TDBFDATASET", "TDATASOURCE", "Incorrect DataSource type, should be KindOf('TDbfDataSource') "},
        {"TDATASET", "TDBFDATASOURCE", "Incorrect DataSource type, should NOT be KindOf('TDbfDataSource') "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setClass);
        const Value set = ask(call(c.setClass), "Create");
        const Value wrong = ask(call(c.sourceClass), "Create");
        rt::testing::RecordingHandler errors;
        ask(set, "SetDataSource", {wrong});
        ASSERT_EQ(errors.seen.size(), 1u);
        EXPECT_EQ(errors.seen[0].subSystem, "VORPEX:SetDataSource");
        EXPECT_EQ(errors.seen[0].description, c.description);
        EXPECT_TRUE(ask(set, "oDataSource").isNil());
        ask(set, "SetDataSource", {wrong, Value(false)});
        EXPECT_EQ(errors.seen.size(), 1u);
        EXPECT_TRUE(ask(set, "oDataSource").sameAs(wrong));
        ask(set, "End");
        ask(wrong, "End");
    }
}

TEST_F(DataSets, OpenSetBeforeCreationOpensOnCreateAndOnOpenMayVeto) {
    const Value set = call("TDBFDATASET");
    ask(set, "_lOpen", {Value(true)});
    ask(set, "Create", {Value(), source, Value("empleado")});
    EXPECT_TRUE(ask(set, "lOpen").asLogical());

    const Value vetoed = newSet();
    ask(vetoed, "_OnOpen", {Value(rt::makeBlock([](rt::Args) { return Value(false); }))});
    EXPECT_FALSE(ask(vetoed, "Open").asLogical());
    EXPECT_FALSE(ask(vetoed, "lOpen").asLogical());
}

TEST_F(DataSets, NavigationMovesInTheSetsAreaAndNotifies) {
    const Value set = newSet();
    ASSERT_TRUE(ask(set, "Open").asLogical());
    std::vector<std::vector<int>> before, after;
    ask(set, "_OnPreChange", {Value(rt::makeBlock([&](rt::Args a) {
        before.push_back({num(rt::arg(a, 1)), num(rt::arg(a, 2))});
        return Value();
    }))});
    ask(set, "_OnPostChange", {Value(rt::makeBlock([&](rt::Args a) {
        after.push_back({num(rt::arg(a, 1)), num(rt::arg(a, 2)), num(rt::arg(a, 3))});
        return Value();
    }))});
    call("DBSELECTAREA", {Value(0)});  // another area current: navigation must leave it so
    const int other = WorkAreas::instance().currentNumber();

    ask(set, "GoBottom");
    EXPECT_EQ(num(ask(set, "Recno")), 10);
    ask(set, "GoTo", {Value(6)});
    EXPECT_EQ(ask(set, "FieldGet", {Value(1)}).asString(), "E6        ");
    EXPECT_EQ(num(ask(set, "nSkip", {Value(5)})), 4);  // four records before the end
    EXPECT_TRUE(ask(set, "Eof").asLogical());  // the fifth step ran off the end
    EXPECT_EQ(after.back(), (std::vector<int>{4, 5, 4}));
    EXPECT_EQ(before.back(), (std::vector<int>{4, 5}));
    ask(set, "Skip");
    EXPECT_TRUE(ask(set, "Eof").asLogical());
    EXPECT_EQ(after.back(), (std::vector<int>{4, 1, 0}));  // at the end nothing moved
    EXPECT_EQ(num(ask(set, "nSkip", {Value(-100)})), -10);
    EXPECT_TRUE(ask(set, "Bof").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 1);
    ask(set, "GoTop");
    EXPECT_EQ(after.back(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(WorkAreas::instance().currentNumber(), other);

    EXPECT_TRUE(ask(set, "KeyGoto", {Value(5)}).asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 5);
    EXPECT_EQ(after.back(), (std::vector<int>{3, 5, 0}));
    EXPECT_FALSE(ask(set, "KeyGoto", {Value(11)}).asLogical());

    const size_t seen = after.size();
    ask(set, "GoTo", {Value(3), Value(false)});  // lNotify .F.
    ask(set, "_lUpdLinked", {Value(false)});
    ask(set, "Skip");
    EXPECT_EQ(after.size(), seen);
    EXPECT_EQ(num(ask(set, "Recno")), 4);
    EXPECT_EQ(num(ask(set, "RecCount")), 10);
}

TEST_F(DataSets, GetRecordCopiesTheCurrentRecord) {
    const Value set = newSet();
    ASSERT_TRUE(ask(set, "Open").asLogical());
    ask(set, "GoTo", {Value(2)});
    const Value rec = ask(set, "GetRecord");
    ASSERT_TRUE(rec.isObject());
    EXPECT_EQ(num(ask(rec, "Len")), 2);
    EXPECT_EQ(ask(rec, "NOMBRE").asString().substr(0, 2), "E2");
    EXPECT_EQ(num(ask(rec, "EDAD")), 22);
}

using testing::ControlStub;

TEST_F(DataSets, LinkedControlsBindOnOpenFollowMovesAndLetGoOnClose) {
    const Value set = newSet();
    const Value ctl(ControlStub::classRecord().instantiate());
    EXPECT_TRUE(ask(set, "AddLinkedControl", {ctl}).asLogical());
    EXPECT_FALSE(ask(set, "AddLinkedControl", {ctl}).asLogical());  // once only
    ASSERT_TRUE(ask(set, "Open").asLogical());
    ask(set, "GoTo", {Value(4)});
    ask(set, "Refresh", {Value(true)});
    ask(set, "RefreshCurrent");
    ask(set, "UpdateControls");
    ask(set, "Close");
    auto& got = static_cast<ControlStub&>(*ctl.asObject()).got;
    EXPECT_EQ(got, (std::vector<std::string>{"SetFieldObject", "Refresh 0", "Refresh 2 4", "Refresh 13",
                                             "Refresh 14", "Refresh 11", "ResetDataField"}));
    EXPECT_TRUE(ask(set, "DelLinkedControl", {ctl}).asLogical());
    EXPECT_FALSE(ask(set, "DelLinkedControl", {ctl}).asLogical());
}

TEST_F(DataSets, ReadOnlySetOpensTheTableReadOnlyAndJoinsItsSourceOnce) {
    const Value set = newSet();
    ask(set, "_lReadOnly", {Value(true)});
    ask(set, "_oDataSource", {source});
    EXPECT_EQ(ask(source, "aDataSet").asArray()->items.size(), 1u);
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_TRUE(WorkAreas::instance().area(num(ask(set, "Area")))->readOnly());
}

TEST_F(DataSets, UserFieldsAreFoundByNameButHaveNoTablePosition) {
    const Value set = newSet();
    ASSERT_TRUE(ask(set, "Open").asLogical());
    const Value total = ask(set, "AddUserVar", {Value("TOTAL"), Value(5)});
    const Value doble = ask(set, "AddCalcField", {Value("DOBLE"), Value(rt::makeBlock([](rt::Args a) {
                                 return Value(ask(ask(rt::arg(a, 0), "oDataSet"), "FieldGetByName",
                                                  {Value("EDAD")}).asInt() * 2);
                             }))});
    EXPECT_EQ(num(ask(total, "nIndex")), -1);
    EXPECT_EQ(num(ask(doble, "nIndex")), -2);
    EXPECT_EQ(num(ask(set, "FieldPos", {Value("TOTAL")})), 0);
    EXPECT_TRUE(ask(set, "oFieldByName", {Value("doble")}).sameAs(doble));
    EXPECT_EQ(num(ask(doble, "Value")), 42);
    ask(set, "GoTo", {Value(3)});
    EXPECT_EQ(num(ask(doble, "Value")), 46);
    ask(total, "_Value", {Value(8)});
    EXPECT_EQ(num(ask(total, "Value")), 8);
    EXPECT_EQ(num(ask(set, "FCount")), 2);  // table fields only

    struct Case {
        const char* message;
        Value expected;
    };
    for (const Case& c : {Case{"FieldName", Value("EDAD")}, Case{"FieldDisplayName", Value("EDAD")},
                          Case{"FieldType", Value("N")}, Case{"FieldLen", Value(3)}, Case{"FieldDec", Value(0)}})
        EXPECT_TRUE(ask(set, c.message, {Value(2)}).sameAs(c.expected)) << c.message;
    EXPECT_TRUE(ask(set, "FieldName", {Value(9)}).isNil());
    ask(set, "Load");
    EXPECT_FALSE(ask(set, "Modified").asLogical());
    ask(ask(set, "oFieldByName", {Value("NOMBRE")}), "_lModified", {Value(true)});
    EXPECT_TRUE(ask(set, "Modified").asLogical());
}

TEST_F(DataSets, NameBeforeSourceOpensFromTheSourcesFolderAndEndLeavesTheSource) {
    const Value set = ask(call("TDBFDATASET"), "Create");
    ask(set, "_cName", {Value("empleado")});
    ask(set, "_oDataSource", {source});
    EXPECT_EQ(ask(set, "cProcess").asString(), "GENERAL");
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_EQ(ask(source, "aDataSet").asArray()->items.size(), 1u);
    ask(set, "End");
    EXPECT_FALSE(ask(set, "lOpen").asLogical());
    EXPECT_EQ(WorkAreas::instance().numberOf("EMPLEADO"), 0);
    EXPECT_TRUE(ask(source, "aDataSet").asArray()->items.empty());
    EXPECT_EQ(num(ask(set, "FCount")), 0);
}

TEST_F(DataSets, TableQueriesRunInTheSetsAreaAndAnswerQuietlyWhenClosed) {
    const Value set = newSet();
    EXPECT_TRUE(ask(set, "Struct").asArray()->items.empty());
    EXPECT_TRUE(ask(set, "Eof").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 0);
    ASSERT_TRUE(ask(set, "Open").asLogical());
    const int mine = num(ask(set, "Area"));
    call("DBSELECTAREA", {Value(0)});
    const Value rows = ask(set, "Struct");
    ASSERT_EQ(rows.asArray()->items.size(), 2u);
    EXPECT_EQ(rows.asArray()->items[1].asArray()->items[0].asString(), "EDAD");
    EXPECT_FALSE(ask(set, "Deleted").asLogical());
    EXPECT_TRUE(ask(set, "Commit").asLogical());
    EXPECT_NE(WorkAreas::instance().currentNumber(), mine);
    EXPECT_EQ(num(ask(set, "Select")), mine);
    EXPECT_EQ(WorkAreas::instance().currentNumber(), mine);
}

TEST_F(DataSets, LocateAndContinueFindTheNextMatchAndReportIt) {
    const Value set = newSet();
    ASSERT_TRUE(ask(set, "Open").asLogical());
    std::vector<std::vector<Value>> after;
    ask(set, "_OnPostChange", {Value(rt::makeBlock([&](rt::Args a) {
        after.push_back({rt::arg(a, 1), rt::arg(a, 2), rt::arg(a, 3)});
        return Value();
    }))});
    EXPECT_TRUE(ask(set, "Locate", {Value("EDAD > 26")}).asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 7);
    EXPECT_EQ(num(after.back()[0]), 6);
    EXPECT_EQ(after.back()[1].asString(), "EDAD > 26");
    EXPECT_TRUE(after.back()[2].asLogical());
    EXPECT_TRUE(ask(set, "Continue").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 8);
    EXPECT_EQ(num(after.back()[0]), 7);
    ask(set, "GoTo", {Value(9)});
    EXPECT_TRUE(ask(set, "Locate", {Value("EDAD < 23")}).asLogical());  // the whole table
    EXPECT_EQ(num(ask(set, "Recno")), 1);
    ask(set, "GoTo", {Value(9)});
    EXPECT_FALSE(ask(set, "Locate", {Value("EDAD < 23"), Value(true)}).asLogical());  // from here on
    EXPECT_TRUE(ask(set, "Eof").asLogical());
}

TEST_F(DataSets, ValidAliasSkipsAliasesInUse) {
    EXPECT_EQ(call("VALIDALIAS", {Value("mi-tabla.dbf")}).asString(), "MITABLADBF");
    EXPECT_EQ(call("VALIDALIAS", {Value("empleado")}).asString(), "EMPLEADO");
    EXPECT_EQ(call("VALIDALIAS", {Value("empleado"), Value(true)}).asString(), "EMPLEADO0");
    const Value set = newSet();
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_EQ(call("VALIDALIAS", {Value("empleado")}).asString(), "EMPLEADO0");
    EXPECT_EQ(call("VALIDALIAS", {Value("abcdefghijkl")}).asString(), "ABCDEFGHIJ");
}

}  // namespace
}  // namespace vorpex::data
