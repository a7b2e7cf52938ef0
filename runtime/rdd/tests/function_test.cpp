// The table functions called by name, as programs and expressions call them.
#include "runtime/core/runtime.h"
#include "runtime/core/settings.h"
#include "runtime/rdd/driver_settings.h"
#include "runtime/rdd/table_functions.h"
#include "test_support.h"
#include "tests/support/function_call.h"
#ifdef VORPEX_RDD_WITH_EXPR
#include "runtime/rdd/area_scope.h"
#endif

namespace rt::rdd::test {
namespace {

using rt::testing::call;

Value row(const char* name, const char* type, int len, int dec) {
    return Value::array({Value(name), Value(type), Value(len), Value(dec)});
}

class FunctionTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        registerTableFunctions();
        ASSERT_TRUE(call("DBCREATE", {Value(path("emp")), Value::array({row("NUMERO", "N", 4, 0), row("NOMBRE", "C", 20, 0),
                                                                         row("BAJA", "C", 1, 0)})})
                        .asLogical());
    }
};

TEST_F(FunctionTest, OpenEditAndReadThroughTheFunctions) {
    call("DBUSEAREA", {Value(true), Value("DBFNTX"), Value(path("emp.dbf")), Value("EMPLEADO"), Value(false)});
    EXPECT_EQ(call("ALIAS").asString(), "EMPLEADO");
    EXPECT_EQ(call("SELECT", {Value("empleado")}).asInt(), 1);
    EXPECT_EQ(call("FCOUNT").asInt(), 3);
    EXPECT_EQ(call("FIELDPOS", {Value("nombre")}).asInt(), 2);
    EXPECT_EQ(call("FIELDNAME", {Value(3)}).asString(), "BAJA");
    EXPECT_TRUE(call("EOF").asLogical());
    for (int i = 1; i <= 3; ++i) {
        call("DBAPPEND");
        call("FIELDPUT", {Value(1), Value(i * 10)});
        call("FIELDPUT", {Value(2), Value("N" + std::to_string(i))});
    }
    call("DBGOTOP");
    EXPECT_EQ(call("RECNO").asInt(), 1);
    call("DBSKIP", {Value(2)});
    EXPECT_EQ(call("FIELDGET", {Value(1)}).asInt(), 30);
    call("DBDELETE");
    EXPECT_TRUE(call("DELETED").asLogical());
    call("DBRECALL");
    EXPECT_FALSE(call("DELETED").asLogical());
    EXPECT_EQ(call("LASTREC").asInt(), 3);
    EXPECT_EQ(call("RECCOUNT").asInt(), 3);
    Value s = call("DBSTRUCT");
    ASSERT_EQ(s.asArray()->size(), 3u);
    EXPECT_EQ(s.asArray()->at1(2).asArray()->at1(3).asInt(), 20);
    EXPECT_TRUE(call("USED").asLogical());
    call("DBCLOSEAREA");
    EXPECT_FALSE(call("USED").asLogical());
    EXPECT_EQ(call("ALIAS").asString(), "");
    EXPECT_TRUE(call("EOF").asLogical());  // no table: the empty answers
}

TEST_F(FunctionTest, FieldPutWithTheWrongTypeReachesTheHandlerAsATypeError) {
    call("DBUSEAREA", {Value(true), Value(), Value(path("emp")), Value(), Value(false)});
    call("DBAPPEND");
    ErrorLog log(ErrorAction::Break);
    try {
        call("FIELDPUT", {Value(1), Value("not a number")});
        FAIL() << "no break";
    } catch (const Break&) {
    }
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::DataType);
    EXPECT_NE(log.seen[0].description.find("NUMERO"), std::string::npos);
}

TEST_F(FunctionTest, SharedOpenAgainstAnExclusiveOneSetsNetErrWhenDefaulted) {
    settings().exclusive = true;
    call("DBUSEAREA", {Value(true), Value(), Value(path("emp")), Value("ONE")});
    ErrorLog log;
    call("DBUSEAREA", {Value(true), Value(), Value(path("emp")), Value("TWO"), Value(true)});
    EXPECT_TRUE(call("NETERR").asLogical());
    EXPECT_EQ(call("SELECT", {Value("TWO")}).asInt(), 0);
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].osCode, 32);
    call("NETERR", {Value(false)});
    EXPECT_FALSE(call("NETERR").asLogical());
}

TEST_F(FunctionTest, LocksThroughTheFunctions) {
    call("DBUSEAREA", {Value(true), Value(), Value(path("emp")), Value("ONE"), Value(true)});
    call("DBAPPEND");
    call("DBAPPEND", {Value(false)});  // keeps the lock of the first
    Value list = call("DBRLOCKLIST");
    ASSERT_EQ(list.asArray()->size(), 2u);
    call("DBRUNLOCK", {Value(1)});
    EXPECT_EQ(call("DBRLOCKLIST").asArray()->size(), 1u);
    EXPECT_TRUE(call("DBRLOCK", {Value(1)}).asLogical());
    EXPECT_TRUE(call("RLOCK").asLogical());  // releases the others
    EXPECT_EQ(call("DBRLOCKLIST").asArray()->size(), 1u);
    call("DBUNLOCK");
    EXPECT_EQ(call("DBRLOCKLIST").asArray()->size(), 0u);
    EXPECT_TRUE(call("FLOCK").asLogical());
}

TEST_F(FunctionTest, AreaSelectionAndDriverSettings) {
    call("DBUSEAREA", {Value(true), Value(), Value(path("emp")), Value("ONE"), Value(true)});
    call("DBUSEAREA", {Value(true), Value(), Value(path("emp")), Value("TWO"), Value(true)});
    EXPECT_EQ(call("SELECT").asInt(), 2);
    call("DBSELECTAREA", {Value("one")});
    EXPECT_EQ(call("SELECT").asInt(), 1);
    call("DBSELECTAREA", {Value(0)});
    EXPECT_EQ(call("SELECT").asInt(), 3);
    EXPECT_EQ(call("RDDSETDEFAULT").asString(), "DBFNTX");
    Value old = call("RDDINFO", {Value(rddi::MemoBlockSize), Value(128), Value("DBFNTX")});
    EXPECT_EQ(old.asInt(), 64);
    EXPECT_EQ(call("RDDINFO", {Value(rddi::MemoBlockSize)}).asInt(), 128);
    call("RDDINFO", {Value(rddi::MemoBlockSize), Value(64)});
    ErrorLog log;
    call("DBSELECTAREA", {Value("NOSUCH")});
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::NoAlias);
}

#ifdef VORPEX_RDD_WITH_EXPR
TEST_F(FunctionTest, ExpressionsSeeFieldsAliasesAndAreaSwitches) {
    call("DBUSEAREA", {Value(true), Value(), Value(path("emp")), Value("EMP"), Value(false)});
    call("DBAPPEND");
    call("FIELDPUT", {Value(1), Value(7)});
    call("FIELDPUT", {Value(2), Value("ANA")});
    ASSERT_TRUE(call("DBCREATE", {Value(path("other")), Value::array({row("X", "N", 3, 0)})}).asLogical());
    call("DBUSEAREA", {Value(true), Value(), Value(path("other")), Value(), Value(false)});
    call("DBAPPEND");
    call("FIELDPUT", {Value(1), Value(5)});
    auto eval = [](const char* text) { return expr::compile(text, &areaScope())->eval(); };
    EXPECT_EQ(eval("X + EMP->NUMERO").asInt(), 12);
    EXPECT_EQ(eval("EMP->(RECNO())").asInt(), 1);
    EXPECT_EQ(areas().current()->alias(), "OTHER");
    call("DBSELECTAREA", {Value("EMP")});
    call("DBSETFILTER", {Value(), Value("NUMERO > 10")});
    EXPECT_EQ(call("DBFILTER").asString(), "NUMERO > 10");
    call("DBGOTOP");
    EXPECT_TRUE(call("EOF").asLogical());
}
#endif

}  // namespace
}  // namespace rt::rdd::test
