// Field objects: reading and writing through the owning set by position, the modified flag against the
// loaded record, blanking with defaults, user variables and calculated fields, and the display type.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/object/event.h"
#include "framework/data/data.h"
#include "framework/data/field/data_field.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"
#include "tests/support/recording_handler.h"

namespace vorpex::data {
namespace {

using rt::Value;
using rt::testing::call;

// The part of a data set a field talks to: FieldGet / FieldPut by position over a one-record "table", an
// edit buffer read when lBuffer is not .F., and aRecord as loaded.
class SetStub : public rt::Object {
public:
    using rt::Object::Object;
    std::vector<Value> table, buffer;
    std::vector<std::vector<Value>> puts;

    Value FieldGet(rt::Args a) {
        const size_t n = static_cast<size_t>(rt::arg(a, 0).asInt()) - 1;
        const bool fromBuffer = !(rt::arg(a, 1).isLogical() && !rt::arg(a, 1).asLogical()) && !buffer.empty();
        const std::vector<Value>& from = fromBuffer ? buffer : table;
        return n < from.size() ? from[n] : Value();
    }
    Value FieldPut(rt::Args a) {
        puts.push_back({rt::arg(a, 0), rt::arg(a, 1), rt::arg(a, 2)});
        return rt::arg(a, 1);
    }
    static const rt::Class& classRecord() {
        static const rt::Class& c = [] () -> const rt::Class& {
            rt::ClassBuilder b("FIELDTESTSET", &rt::baseObjectClass(), rt::factoryOf<SetStub>());
            b.addData("aRecord", Value::array());
            b.addMethod("FieldGet", rt::method(&SetStub::FieldGet));
            b.addMethod("FieldPut", rt::method(&SetStub::FieldPut));
            return b.create();
        }();
        return c;
    }
};

class DataFields : public ::testing::Test {
protected:
    void SetUp() override {
        registerDataSources();
        rt::registerFunction("LOGDEBUG", [this](rt::Args a) {
            logged.push_back(rt::arg(a, 0).asString());
            return Value();
        });
        setValue = Value(SetStub::classRecord().instantiate());
        set().table = {Value("Ana"), Value(30)};
        rt::send(setValue, "_aRecord", {Value::array({Value("Ana"), Value(30)})});
    }
    SetStub& set() { return static_cast<SetStub&>(*setValue.asObject()); }
    Value newField(int index, const char* name) {
        const Value bare = call("TDATAFIELD");
        return rt::send(bare, "Create", {setValue, Value(index), Value(name)});
    }
    static XDataField& asField(const Value& v) { return static_cast<XDataField&>(*v.asObject()); }

    Value setValue;
    std::vector<std::string> logged;
};

TEST_F(DataFields, CreateNamesTheColumnAndReadsAndWritesThroughTheSet) {
    const Value f = newField(2, "EDAD");
    EXPECT_EQ(rt::send(f, "cName").asString(), "EDAD");
    EXPECT_EQ(rt::send(f, "cDbfName").asString(), "EDAD");
    EXPECT_EQ(rt::send(f, "nIndex").asInt(), 2);
    EXPECT_TRUE(rt::send(f, "oDataSet").sameAs(setValue));

    set().buffer = {Value("Eva"), Value(41)};
    EXPECT_EQ(rt::send(f, "Value").asInt(), 41);                         // editing: the buffer
    EXPECT_EQ(rt::send(f, "GetValue", {Value(false)}).asInt(), 30);      // the table
    EXPECT_EQ(rt::send(f, "FieldGet", {Value(false)}).asInt(), 30);

    EXPECT_EQ(rt::send(f, "_Value", {Value(50)}).asInt(), 50);
    rt::send(f, "FieldPut", {Value(51)});
    ASSERT_EQ(set().puts.size(), 2u);
    EXPECT_EQ(set().puts[0][0].asInt(), 2);
    EXPECT_EQ(set().puts[0][1].asInt(), 50);
    EXPECT_TRUE(set().puts[1][2].asLogical());  // FieldPut keeps the controls
}

TEST_F(DataFields, ModifiedComparesTheValueWithTheLoadedRecordUnlessSet) {
    const Value f = newField(1, "NOMBRE");
    rt::send(f, "_lModified", {Value(true)});
    EXPECT_EQ(rt::send(f, "Load").asString(), "Ana");
    EXPECT_FALSE(rt::send(f, "lModified").asLogical());  // the flag was unset: computed again

    rt::testing::RecordingHandler errors;
    for (const Value& now : {Value("Ana "), Value(5), Value()}) {
        set().table[0] = now;
        EXPECT_TRUE(rt::send(f, "lModified").asLogical()) << now.typeCode();
    }
    EXPECT_TRUE(errors.seen.empty());  // a value of another type is different, not an error
    rt::send(f, "SetModified", {Value(false)});
    EXPECT_FALSE(rt::send(f, "lModified").asLogical());
}

TEST_F(DataFields, BlankMarksOnlyEditableFieldsWithADefault) {
    struct Case {
        bool editable;
        Value def;
        bool modified;
    };
    for (const Case& c : {Case{true, Value("X"), true}, Case{true, Value(), false}, Case{false, Value(0), false}}) {
        const Value f = newField(1, "NOMBRE");
        rt::send(f, "_lEditable", {Value(c.editable)});
        rt::send(f, "_DefValue", {c.def});
        EXPECT_TRUE(rt::send(f, "Blank").sameAs(c.def));
        EXPECT_EQ(rt::send(f, "lModified").asLogical(), c.modified);
    }
}

TEST_F(DataFields, UserVariableKeepsItsValueInTheField) {
    const Value f = newField(-1, "TOTAL");
    asField(f).makeUserVar(Value(7));
    EXPECT_EQ(rt::send(f, "Value").asInt(), 7);
    rt::send(f, "_Value", {Value(9)});
    EXPECT_EQ(rt::send(f, "Value").asInt(), 9);
    EXPECT_EQ(rt::send(f, "VarGet").asInt(), 9);
    EXPECT_TRUE(set().puts.empty());
}

TEST_F(DataFields, WritingACalculatedFieldChangesNothingReadingReturns) {
    const Value f = newField(-1, "DOBLE");
    Value seenSender;
    asField(f).makeCalcField(Value(rt::makeBlock([&](rt::Args a) {
        seenSender = rt::arg(a, 0);
        return Value(set().table[1].asInt() * 2);
    })));
    EXPECT_EQ(rt::send(f, "Value").asInt(), 60);
    EXPECT_TRUE(seenSender.sameAs(f));
    rt::send(f, "_Value", {Value(1)});
    EXPECT_EQ(rt::send(f, "Value").asInt(), 60);
    EXPECT_TRUE(rt::send(f, "bGetValue").isBlock());
    EXPECT_TRUE(set().puts.empty());
}

TEST_F(DataFields, DeprecatedAccessorsLogAndStillWork) {
    const Value f = newField(1, "NOMBRE");
    EXPECT_EQ(rt::send(f, "VarGet").asString(), "Ana");
    rt::send(f, "VarPut", {Value("Luz")});
    ASSERT_EQ(set().puts.size(), 1u);
    EXPECT_EQ(set().puts[0][1].asString(), "Luz");
    EXPECT_EQ(logged, (std::vector<std::string>{"TDatafield:Varget() deprecated, use Value",
                                                "TDatafield:Varput() deprecated, use Value := ?"}));
}

TEST_F(DataFields, FreeLetsGoOfTheSetAndTheHandlers) {
    const Value f = newField(-1, "TOTAL");
    asField(f).makeUserVar(Value(1));
    rt::send(f, "Destroy", {Value(true)});
    EXPECT_TRUE(rt::send(f, "oDataSet").isNil());
    EXPECT_FALSE(eventAssigned(asField(f), XDataField::OnGetValue));
    EXPECT_TRUE(rt::send(f, "Value").isNil());  // no set to ask, and no crash
}

TEST(DataFieldType, BasicTypeFoldsEngineAndSqlTypes) {
    const std::pair<const char*, const char*> cases[] = {
        {"INTEGER", "N"}, {"AUTOINC", "N"}, {"CURDOUBLE", "N"}, {"TIMESTAMP", "C"}, {"TIME", "C"},
        {"IMAGE", "M"},   {"RAW", "M"},     {"BLOB", "M"},      {"C", "C"},         {"D", "D"}, {"", ""}};
    for (const auto& [type, letter] : cases) EXPECT_EQ(XDataField::basicType(type), letter) << type;
}

}  // namespace
}  // namespace vorpex::data
