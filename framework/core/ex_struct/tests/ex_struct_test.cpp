// The run-time record: declarations, conversion on assignment, its errors through the error handler, members
// as messages, copies and nested declarations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/ex_struct/struct_stack.h"
#include "framework/core/file_name/file_name_functions.h"
#include "runtime/core/send.h"
#include "runtime/lib/date.h"
#include "runtime/lib/display.h"
#include "tests/support/function_call.h"
#include "tests/support/recording_handler.h"

namespace vorpex::dialogs {
namespace {

using rt::testing::call;
using rt::testing::RecordingHandler;

class ExStruct : public ::testing::Test {
protected:
    void SetUp() override { registerStructFunctions(); }

    static rt::Value record() { return rt::send(call("TEXSTRUCT"), "New"); }
    static rt::Value row(const rt::Value& rec, size_t n) { return rt::send(rec, "aMembers").asArray()->at1(n); }
    static rt::Value item(const rt::Value& rec, size_t n, size_t i) { return row(rec, n).asArray()->at1(i); }
};

TEST_F(ExStruct, DeclarationsFillInTypeLengthAndInitialValue) {
    const struct {
        rt::Value word;
        rt::Value length;
        rt::Value type;
        rt::Value expectedLength;
        char initialType;
    } cases[] = {
        {"logical", 10, "L", 1, 'L'},
        {"Numeric", 10, "N", 10, 'N'},
        {"NUMBER", rt::Value(), "N", rt::Value(), 'N'},
        {"date", rt::Value(), "D", 8, 'D'},
        {"character", 30, "C", 30, 'C'},
        {"String", rt::Value(), "C", rt::Value(), 'C'},
        {"c", 4, "C", 4, 'C'},
        {"block", rt::Value(), "B", rt::Value(), 'B'},
        {"ARRAY", rt::Value(), "A", rt::Value(), 'A'},
        {"object", rt::Value(), "OBJECT", rt::Value(), 'U'},
        {rt::Value(), 3, rt::Value(), 3, 'U'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(rt::displayText(c.word));
        rt::Value rec = record();
        rt::send(rec, "AddMember", {"field", c.word, rt::Value(), c.length});
        EXPECT_EQ(item(rec, 1, 1).asString(), "FIELD");
        EXPECT_TRUE(item(rec, 1, 3).sameAs(c.type));
        EXPECT_TRUE(item(rec, 1, 4).sameAs(c.expectedLength));
        EXPECT_EQ(item(rec, 1, 2).typeCode(), c.initialType);
        EXPECT_TRUE(item(rec, 1, 5).sameAs(item(rec, 1, 2)));
    }
    rt::Value rec = record();
    rt::send(rec, "AddMember", {"B", "BLOCK"});
    EXPECT_TRUE(rt::send(rt::send(rec, "B"), "Eval").isNil());  // the default block answers NIL
}

TEST_F(ExStruct, AssignmentConvertsToTheMembersType) {
    const rt::Value date = rt::Value(rt::ctod("03/25/2010"));
    const struct {
        const char* type;
        rt::Value length;
        rt::Value assigned;
        rt::Value stored;
    } cases[] = {
        {"C", 5, "abcdefg", "abcde"},
        {"C", 5, 12, "12   "},
        {"C", 5, "ab", "ab   "},  // a text is padded too
        {"C", 5, rt::Value(), "     "},
        {"C", rt::Value(), true, ".T."},
        {"C", rt::Value(), rt::Value::number(-3.5, 10, 2), "-3.50"},
        {"N", rt::Value(), "12", 12},
        {"N", rt::Value(), "abc", 0},
        {"D", rt::Value(), "03/25/2010", date},
        {"L", rt::Value(), "yes", false},  // "YES" is no run of T, Y, S
        {"L", rt::Value(), "y", true},
        {"L", rt::Value(), "tys", true},
        {"L", rt::Value(), "YS", true},
        {"L", rt::Value(), "TS", false},
        {"L", rt::Value(), ".t.", true},
        {"L", rt::Value(), "", false},
        {"L", rt::Value(), "F", false},
        {"L", rt::Value(), 0, false},
        {"L", rt::Value(), -2, true},
    };
    RecordingHandler handler(rt::ErrorAction::Default);
    ASSERT_FALSE(date.asDate().empty());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " <- " + rt::displayText(c.assigned));
        rt::Value rec = record();
        rt::send(rec, "AddMember", {"M", c.type, rt::Value(), c.length});
        rt::Value answer = rt::send(rec, "SetValue", {"m", c.assigned});
        EXPECT_EQ(rt::send(rec, "GetValue", {"M"}).typeCode(), c.stored.typeCode());
        EXPECT_EQ(rt::displayText(rt::send(rec, "GetValue", {1})), rt::displayText(c.stored));
        EXPECT_EQ(rt::displayText(answer), rt::displayText(c.stored));
    }
    EXPECT_TRUE(handler.seen.empty());
}

TEST_F(ExStruct, MismatchRaisesTheDataTypeErrorThenStoresTheValue) {
    const struct {
        const char* type;
        rt::Value assigned;
        const char* description;
        std::string operation;
    } cases[] = {
        {"N", true, "Data type error AGE (N)", ".T. (L)"},
        {"D", 5, "Data type error AGE (D)", "5 (N)"},
        {"L", rt::Value(rt::Date{}), "Data type error AGE (L)", rt::displayText(rt::Date{}) + " (D)"},
        {"A", "x", "Data type error AGE (A)", "x (C)"},
        {"OBJECT", 1, "Data type error AGE (OBJECT)", "1 (N)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingHandler handler(rt::ErrorAction::Default);
        rt::Value rec = record();
        rt::send(rec, "AddMember", {"Age", c.type});
        EXPECT_TRUE(rt::send(rec, "_age", {c.assigned}).sameAs(c.assigned));
        EXPECT_TRUE(rt::send(rec, "AGE").sameAs(c.assigned));
        ASSERT_EQ(handler.seen.size(), 1u);
        EXPECT_EQ(handler.seen[0].subSystem, "TSTRUC");
        EXPECT_EQ(handler.seen[0].severity, 2);
        EXPECT_EQ(handler.seen[0].description, c.description);
        EXPECT_EQ(handler.seen[0].operation, c.operation);
    }
}

TEST_F(ExStruct, ObjectMemberTakesAnObject) {
    RecordingHandler handler(rt::ErrorAction::Default);
    rt::Value rec = record(), other = record();
    rt::send(rec, "AddMember", {"CHILD", "OBJECT"});
    rt::send(rec, "_CHILD", {other});
    EXPECT_TRUE(rt::send(rec, "CHILD").sameAs(other));
    EXPECT_TRUE(handler.seen.empty());
}

TEST_F(ExStruct, MissingMemberRaisesThenReadsNil) {
    rt::Value rec = record();
    rt::send(rec, "AddMember", {"NAME", "C"});
    const struct {
        const char* message;
        std::vector<rt::Value> args;
        const char* operation;
    } cases[] = {
        {"NOPE", {}, "NOPE"},
        {"_Nope", {"x"}, "NOPE"},  // message names arrive upper-cased
        {"GetValue", {"nope"}, "nope"},
        {"GetValue", {2}, "2"},
        {"GetValue", {0}, "0"},
        {"SetValue", {rt::Value(), "x"}, "NIL"},
        {"GetMember", {"NAMEX"}, "NAMEX"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        RecordingHandler handler(rt::ErrorAction::Default);
        rt::Value answer = rt::send(rec, rt::Symbol::intern(c.message), rt::Args(c.args.data(), c.args.size()));
        EXPECT_TRUE(answer.isNil() || answer.sameAs(0)) << rt::displayText(answer);
        ASSERT_EQ(handler.seen.size(), 1u);
        EXPECT_EQ(handler.seen[0].subSystem, "TEXSTRUC");
        EXPECT_EQ(handler.seen[0].severity, 2);
        EXPECT_EQ(handler.seen[0].description, "Structure Member does not exist");
        EXPECT_EQ(handler.seen[0].operation, c.operation);
    }
    EXPECT_EQ(rt::send(rec, "Len").asInt(), 1);  // nothing was added on the way
    RecordingHandler breaking(rt::ErrorAction::Break);
    EXPECT_THROW(rt::send(rec, "NOPE"), rt::Break);
}

TEST_F(ExStruct, MembersReadAndWriteAsMessages) {
    RecordingHandler handler(rt::ErrorAction::Default);
    rt::Value rec = record();
    rt::send(rec, "AddMember", {rt::Value::array({"Nombre", "Numero"}), "C", "", 3});
    EXPECT_EQ(rt::send(rec, "_nombre", {"Ana Lopez"}).asString(), "Ana");
    EXPECT_EQ(rt::send(rec, "NOMBRE").asString(), "Ana");
    EXPECT_EQ(rt::send(rec, "GetMember", {"numero"}).asInt(), 2);
    EXPECT_EQ(rt::send(rec, "GetMember", {2}).asInt(), 2);
    EXPECT_EQ(rt::send(rec, "GetName", {2}).asString(), "NUMERO");
    EXPECT_TRUE(rt::send(rec, "GetName", {3}).isNil());
    EXPECT_EQ(rt::send(rec, "MemberList").asString(), "NOMBRE\r\nNUMERO\r\n");
    EXPECT_TRUE(handler.seen.empty());
}

TEST_F(ExStruct, ListsResetAndSetValuesWithoutConversion) {
    rt::Value rec = record();
    rt::send(rec, "AddMember", {"A", "N", 1});
    rt::send(rec, "AddMember", {"B", "C", "x", 2});
    rt::send(rec, "SetValues", {rt::Value::array({"not a number", "long text", "ignored"})});
    EXPECT_EQ(rt::send(rec, "A").asString(), "not a number");  // stored as given: no conversion, no padding
    EXPECT_EQ(rt::send(rec, "B").asString(), "long text");
    EXPECT_EQ(rt::send(rec, "Len").asInt(), 2);

    rt::send(rec, "Reset");
    rt::Value values = rt::send(rec, "GetValues"), keys = rt::send(rec, "GetKeys");
    ASSERT_EQ(values.asArray()->size(), 2u);
    EXPECT_EQ(values.asArray()->at1(1).asInt(), 1);
    EXPECT_EQ(values.asArray()->at1(2).asString(), "x");
    EXPECT_EQ(keys.asArray()->at1(2).asString(), "B");

    rt::send(rec, "SetValues", {rt::Value::array({5})});  // a shorter list leaves the rest alone
    EXPECT_EQ(rt::send(rec, "A").asInt(), 5);
    EXPECT_EQ(rt::send(rec, "B").asString(), "x");
}

TEST_F(ExStruct, SharedAndSeparateArrays) {
    rt::Value rec = record();
    rt::Value list = rt::Value::array();
    rt::send(rec, "AddMember", {rt::Value::array({"X", "Y"}), "A", list});
    EXPECT_TRUE(rt::send(rec, "X").sameAs(list));
    EXPECT_TRUE(rt::send(rec, "Y").sameAs(list));  // one initial value for the names declared together

    rt::send(rec, "AddMember", {rt::Value::array({"P", "Q"}), "A"});
    EXPECT_FALSE(rt::send(rec, "P").sameAs(rt::send(rec, "Q")));  // each default its own empty array
}

TEST_F(ExStruct, CloneCopiesRowsAndSharesValues) {
    rt::Value rec = record();
    rt::Value list = rt::Value::array({1});
    rt::send(rec, "AddMember", {"LIST", "A", list});
    rt::send(rec, "AddMember", {"NAME", "C", "a", 3});

    rt::Value copy = rt::send(rec, "Clone");
    EXPECT_EQ(rt::send(copy, "ClassName").asString(), "TExStruct");
    EXPECT_TRUE(rt::send(copy, "LIST").sameAs(list));
    rt::send(copy, "_NAME", {"b"});
    EXPECT_EQ(rt::send(copy, "NAME").asString(), "b  ");
    EXPECT_EQ(rt::send(rec, "NAME").asString(), "a");  // rows are the copy's own
    EXPECT_FALSE(row(copy, 1).sameAs(row(rec, 1)));
}

TEST_F(ExStruct, NestedDeclarations) {
    const int open = openStructCount();
    rt::Value outer = call("STRUCBEGIN");
    call("STRUCMEMBER", {"NOMBRE", "C", "", 10});
    rt::Value inner = call("STRUCBEGIN", {"Domicilio"});
    call("STRUCMEMBER", {rt::Value::array({"CALLE", "CIUDAD"}), "C"});
    call("STRUCEND");
    call("STRUCMEMBER", {"ACTIVO", "L"});
    call("STRUCEND");
    EXPECT_EQ(openStructCount(), open);

    EXPECT_EQ(rt::send(outer, "MemberList").asString(), "NOMBRE\r\nDOMICILIO\r\nACTIVO\r\n");
    EXPECT_EQ(item(outer, 2, 3).asString(), "OBJECT");
    EXPECT_TRUE(rt::send(outer, "DOMICILIO").sameAs(inner));
    EXPECT_EQ(rt::send(inner, "MemberList").asString(), "CALLE\r\nCIUDAD\r\n");

    rt::Value lone = call("STRUCBEGIN", {"IGNORED"});  // nothing open: no member to add it to
    EXPECT_EQ(rt::send(lone, "Len").asInt(), 0);
    call("STRUCEND");
    call("STRUCEND");  // one too many does nothing
    EXPECT_TRUE(call("STRUCMEMBER", {"X", "C"}).isNil());
    EXPECT_EQ(openStructCount(), open);
}

TEST_F(ExStruct, OtherClassesStillRaiseNoMethod) {
    registerFileNameFunctions();
    RecordingHandler handler(rt::ErrorAction::Default);
    rt::send(call("TFILENAME", {"a"}), "NOSUCHMESSAGE");
    ASSERT_EQ(handler.seen.size(), 1u);
    EXPECT_EQ(handler.seen[0].genCode, rt::eg::NoMethod);
}

}  // namespace
}  // namespace vorpex::dialogs
