// A DBF data set's fields reached by message, its key counts and positions under filters and hidden deleted
// records, its saved states, the rows it copies out, clones, index files opened with it, and the area it keeps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/data/tests/data_set_fixture.h"
#include "runtime/core/block.h"
#include "runtime/core/settings.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/recording_handler.h"
#include "tests/support/settings_guard.h"

namespace vorpex::data {
namespace {

using rt::Value;
using rt::rdd::WorkAreas;
using rt::testing::call;
using testing::ask;

using Positions = testing::DataSetFixture;

std::string trimmed(const Value& v) {
    const std::string s = v.isString() ? v.asString() : std::string();
    return s.substr(0, s.find_last_not_of(' ') + 1);
}

TEST_F(Positions, FieldsAnswerMessagesByTheirNames) {
    const Value set = openSet();
    ask(set, "GoTo", {Value(3)});
    EXPECT_EQ(trimmed(ask(set, "NOMBRE")), "E3");
    EXPECT_EQ(num(ask(set, "edad")), 23);
    EXPECT_TRUE(ask(set, "NOMBRE", {Value(3)}).sameAs(ask(set, "oFieldByName", {Value("NOMBRE")})));
    ASSERT_TRUE(ask(set, "Edit").asLogical());
    ask(set, "_NOMBRE", {Value("BUFFER")});
    EXPECT_EQ(trimmed(ask(set, "NOMBRE")), "BUFFER");
    EXPECT_EQ(trimmed(ask(set, "NOMBRE", {Value(1)})), "BUFFER");
    EXPECT_EQ(trimmed(ask(set, "NOMBRE", {Value(2)})), "E3");  // the table
    ask(set, "Cancel");
    ask(set, "_NOMBRE", {Value("TABLE")});  // browsing: straight to the table
    EXPECT_EQ(trimmed(ask(set, "NOMBRE", {Value(2)})), "TABLE");

    const Value total = ask(set, "AddUserVar", {Value("TOTAL"), Value(5)});
    ask(set, "_TOTAL", {Value(9)});
    EXPECT_EQ(num(ask(set, "TOTAL")), 9);
    EXPECT_TRUE(ask(set, "TOTAL", {Value(3)}).sameAs(total));

    rt::testing::RecordingHandler errors;
    EXPECT_TRUE(ask(set, "FOO").isNil());
    ask(set, "_FOO", {Value(1)});
    ASSERT_EQ(errors.seen.size(), 2u);
    EXPECT_EQ(errors.seen[0].subSystem, "BASE");
    EXPECT_EQ(errors.seen[0].subCode, 1004);
    EXPECT_EQ(errors.seen[0].description, "Message not found");
    const std::string cls = ask(set, "ClassName").asString();
    EXPECT_EQ(errors.seen[0].operation, cls + ":FOO");
    EXPECT_EQ(errors.seen[1].subCode, 1005);
    EXPECT_EQ(errors.seen[1].operation, cls + ":_FOO");
    EXPECT_EQ(num(errors.seen[1].args.asArray()->items.at(0)), 1);
}

TEST_F(Positions, ExactKeyCountsWalkWhatTheUserSees) {
    rt::testing::SettingsGuard keep;
    const Value set = openSet();
    for (int r : {2, 3}) {
        ask(set, "GoTo", {Value(r)});
        ASSERT_TRUE(ask(set, "Delete").asLogical());
    }
    struct Case {
        bool hideDeleted;
        const char* filter;
        int count, exactCount, exactNoOf7;
    };
    for (const Case c : {Case{false, nullptr, 10, 10, 7}, Case{true, nullptr, 10, 8, 5}, Case{false, "EDAD > 24", 10, 6, 3},
                         Case{true, "EDAD > 22", 10, 7, 4}}) {
        SCOPED_TRACE(std::to_string(c.hideDeleted) + (c.filter ? c.filter : ""));
        rt::settings().deleted = c.hideDeleted;
        ask(set, "Select");
        if (c.filter)
            call("DBSETFILTER", {Value(), Value(c.filter)});
        else
            call("DBCLEARFILTER");
        ask(set, "GoTo", {Value(7)});
        EXPECT_EQ(num(ask(set, "KeyCount")), c.count);
        EXPECT_EQ(num(ask(set, "KeyCount", {Value(true)})), c.exactCount);
        EXPECT_EQ(num(ask(set, "KeyNo", {Value(true)})), c.exactNoOf7);
        EXPECT_EQ(num(ask(set, "Recno")), 7);  // the walk comes back
        ask(set, "_lKeyExact", {Value(true)});
        EXPECT_EQ(num(ask(set, "KeyCount")), c.exactCount);
        ask(set, "_lKeyExact", {Value(false)});
    }
}

TEST_F(Positions, SavedStatesComeBackAndAPackedAwayRecordLeavesTheFirst) {
    const Value set = newSet();
    ask(set, "_lShared", {Value(false)});  // a pack needs the table alone
    ASSERT_TRUE(ask(set, "Open").asLogical());
    ask(set, "GoTo", {Value(4)});
    EXPECT_TRUE(ask(set, "SaveState", {Value(true)}).asLogical());
    EXPECT_FALSE(ask(set, "lUpdLinked").asLogical());  // muted
    ask(set, "GoTo", {Value(8)});
    EXPECT_TRUE(ask(set, "RestoreState", {Value(true)}).asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 4);
    EXPECT_TRUE(ask(set, "lUpdLinked").asLogical());
    EXPECT_FALSE(ask(set, "RestoreState").asLogical());  // nothing saved
    EXPECT_FALSE(ask(set, "ReleaseState").asLogical());

    ask(set, "GoTo", {Value(9)});
    ask(set, "SaveState");
    for (int r = 1; r <= 5; ++r) {
        ask(set, "GoTo", {Value(r)});
        ask(set, "Delete");
    }
    ask(set, "Select");
    ASSERT_TRUE(WorkAreas::instance().current()->pack());
    ASSERT_TRUE(ask(set, "RestoreState").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 1);
    EXPECT_EQ(trimmed(ask(set, "NOMBRE")), "E6");
}

TEST_F(Positions, RowsCopiedOutWithConditionsAndTheSetLeftWhereItWas) {
    const Value set = openSet();
    ask(set, "GoTo", {Value(5)});
    const Value all = ask(set, "SaveToArray");
    ASSERT_EQ(all.asArray()->items.size(), 10u);
    EXPECT_EQ(num(all.asArray()->items[2].asArray()->items[1]), 23);
    const Value older = ask(set, "GetRows", {Value::array({Value("NOMBRE")}),
                                             Value(rt::makeBlock([](rt::Args) {
                                                 return Value(call("FIELDGET", {Value(2)}).asInt() > 27);
                                             }))});
    ASSERT_EQ(older.asArray()->items.size(), 3u);
    EXPECT_EQ(trimmed(older.asArray()->items[0]), "E8");
    EXPECT_EQ(num(ask(set, "Recno")), 5);
    EXPECT_TRUE(ask(set, "lUpdLinked").asLogical());
}

TEST_F(Positions, ACloneOpensTheSameTableAtTheSameRecord) {
    const Value set = openSet();
    ask(set, "_lReUseDel", {Value(true)});
    ask(set, "GoTo", {Value(6)});
    const Value copy = ask(set, "Clone");
    ASSERT_TRUE(copy.isObject());
    EXPECT_TRUE(ask(copy, "lOpen").asLogical());
    EXPECT_EQ(ask(copy, "cAlias").asString(), "EMPLEADO0");
    EXPECT_EQ(num(ask(copy, "Recno")), 6);
    EXPECT_TRUE(ask(copy, "lReUseDel").asLogical());

    const Value other = openSet();
    ask(other, "GoTo", {Value(2)});
    ask(copy, "InitFrom", {other});
    ask(copy, "GoTo", {Value(6)});
    EXPECT_EQ(trimmed(ask(copy, "NOMBRE")), "E2");  // written through the copy's fields
}

TEST_F(Positions, TheSetClosesOnlyItsOwnAreaAndNamesAliasesThatAreValid) {
    rt::testing::RecordingHandler quiet;
    const Value set = openSet();
    const int mine = num(ask(set, "Area"));
    WorkAreas::instance().close(mine);  // closed behind the set's back, its number used again...
    ASSERT_NE(openArea("FILLER"), nullptr);
    ASSERT_EQ(WorkAreas::instance().currentNumber(), mine);
    ASSERT_NE(openArea("EMPLEADO"), nullptr);  // ...and its alias taken by another area
    const int intruder = WorkAreas::instance().currentNumber();
    EXPECT_EQ(num(ask(set, "Area")), 0);
    ask(set, "Close");
    EXPECT_NE(WorkAreas::instance().area(intruder), nullptr);
    EXPECT_NE(WorkAreas::instance().area(mine), nullptr);

    EXPECT_EQ(call("VALIDALIAS", {Value("2010-marzo")}).asString(), "_2010MARZO");
    EXPECT_EQ(call("VALIDALIAS", {Value("+++")}).asString(), "_");
}

TEST_F(Positions, TheNameTakesTheSourcesExtensionAndIndexesLieBesideTheTable) {
    call("DBUSEAREA", {Value(true), Value(), Value(table()), Value("MAKER"), Value(false)});
    call("ORDCREATE", {Value(dir.file("porEdad.ntx")), Value(), Value("-EDAD")});
    call("DBCLOSEAREA");
    const Value set = newSet();
    EXPECT_EQ(ask(set, "cName").asString(), "empleado.Dbf");
    ask(set, "_aIdxFiles", {Value::array({Value("porEdad.ntx")})});
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 10);  // the index leads
    ask(set, "Skip");
    EXPECT_EQ(num(ask(set, "Recno")), 9);
    EXPECT_EQ(ask(set, "DefIdxFile").asString().substr(dir.path().string().size() + 1), "empleado.ntx");
}

TEST_F(Positions, AssigningTheUserFieldsEntersTheirNames) {
    const Value set = openSet();
    const Value donor = openSet();
    const Value total = ask(donor, "AddUserVar", {Value("TOTAL"), Value(3)});
    ask(set, "_aUserFields", {Value::array({total})});
    EXPECT_TRUE(ask(set, "oFieldByName", {Value("TOTAL")}).sameAs(total));
}

}  // namespace
}  // namespace vorpex::data
