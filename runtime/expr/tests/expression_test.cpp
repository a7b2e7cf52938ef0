#include <gtest/gtest.h>

#include <string>

#include "fake_scope.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/settings.h"
#include "runtime/expr/expression.h"
#include "runtime/expr/parser.h"
#include "runtime/lib/compare.h"
#include "runtime/lib/date.h"
#include "runtime/lib/display.h"
#include "runtime/lib/library.h"
#include "tests/support/recording_handler.h"
#include "tests/support/settings_guard.h"

namespace rt::expr {
namespace {

using testing::FakeScope;
using rt::testing::RecordingHandler;
using rt::testing::SettingsGuard;

struct Case {
    const char* text;
    Value expected;
};

class Expressions : public ::testing::Test {
protected:
    void SetUp() override {
        registerLibraryFunctions();
        registerFunction("PROBE", [this](Args) {
            ++probes;
            return Value(true);
        });
        registerFunction("CURAREA", [this](Args) { return Value(scope.current); });
        scope.areas["EMP"] = {{"NAME", "Ana Lopez"},
                              {"NUM", 5},
                              {"FECHA", Value(makeDate(2024, 3, 7))},
                              {"ACTIVO", true},
                              {"IMPORTE", Value::number(12.5, 8, 2)}};
        scope.areas["DEPT"] = {{"NAME", "Sales"}, {"NUM", 9}};
        scope.current = "EMP";
        settings().exact = false;
        settings().dateFormat = "dd/mm/yyyy";
        settings().century = true;
    }

    Value eval(std::string_view text, const Scope* s) {
        ExpressionPtr e = compile(text, s);
        if (!e) throw std::runtime_error("did not compile: " + std::string(text));
        return e->eval();
    }

    void expectCases(const std::vector<Case>& cases, const Scope* s) {
        for (const Case& c : cases) {
            Value v = eval(c.text, s);
            EXPECT_EQ(v.typeCode(), c.expected.typeCode()) << c.text;
            EXPECT_TRUE(compareTest(CompareOp::ExactEqual, v, c.expected))
                << c.text << " gave " << displayText(v) << ", expected " << displayText(c.expected);
        }
    }

    // Compiles text that must fail and answers the error raised.
    Error compileError(std::string_view text) {
        RecordingHandler handler;
        EXPECT_EQ(compile(text, &scope), nullptr) << text;
        if (handler.seen.size() != 1) {
            ADD_FAILURE() << text << " raised " << handler.seen.size() << " errors";
            return Error{};
        }
        return handler.seen[0];
    }

    FakeScope scope;
    int probes = 0;
    SettingsGuard guard;
};

TEST_F(Expressions, LiteralsOperatorsAndPrecedence) {
    expectCases(
        {
            {"1 + 2 * 3", 7},
            {"(1 + 2) * 3", 9},
            {"2 ** 3 ** 2", 64.0},  // left to right
            {"-2 ** 2", 4.0},       // unary minus binds tighter than **
            {"2 ^ 3", 8.0},
            {"7 % 4", 3},
            {"10 / 4", 2.5},
            {"3 - 1 - 1", 1},
            {"8 / 2 / 2", 2.0},
            {"-(-3)", 3},
            {"+5", 5},
            {".5 * 2", 1.0},
            {"1.5 + 1", 2.5},
            {"'ab' + \"cd\" + [ef] + \"it's\"", "abcdefit's"},
            {".T. .OR. .F. .AND. .F.", true},
            {"(.T. .OR. .F.) .AND. .F.", false},
            {".NOT. 1 = 2", true},
            {"!.F.", true},
            {"! 1 = 1 .OR. .T.", true},  // .NOT. binds tighter than .OR.
            {"1 < 2 .and. 2 < 3", true},
            {"'T' $ 'ATE'", true},
            {"120>100", true},
            {"1 = 1 = .T.", true},
            {"1 <> 2 .AND. 1 # 2 .AND. 1 != 2", true},
            {"NIL == NIL", true},
            {".y. .AND. !.n.", true},
            {"IIF(1 > 2, 'a', 'b')", "b"},
            {"iif(.t., 1, 2)", 1},
            {"If(.F., 1, 2)", 2},
            {"Left( Upper( 'xyz' ), 1 ) != 'N'", true},
            {"Str(5, 3) + 'x'", "  5x"},
            {"PadL('a', 3,)", "  a"},  // an empty argument is NIL
            {"Date() - Date()", 0},
            {"Len(Space(3))", 3},
            {"StrTran('aXbXcX', 'X', '-', 2, 1)", "aXb-cX"},  // five arguments
        },
        nullptr);
}

TEST_F(Expressions, FieldsAndAliases) {
    expectCases(
        {
            {"NAME", "Ana Lopez"},
            {"name", "Ana Lopez"},
            {"EMP->NAME", "Ana Lopez"},
            {"emp->num + dept->num", 14},
            {"DEPT->NAME", "Sales"},
            {"DEPT->(NAME)", "Sales"},
            {"DEPT->(Upper(NAME) + Str(NUM, 2))", "SALES 9"},
            {"DEPT->(CURAREA())", "DEPT"},
            {"(DEPT)->(NAME)", "Sales"},
            {"(DEPT)->NAME", "Sales"},
            {"('DE' + 'PT')->(NAME + CURAREA())", "SalesDEPT"},
            {"('dept')->NUM", 9},
            {"FIELD->NUM", 5},
            {"NAME + DEPT->(NAME) + NAME", "Ana LopezSalesAna Lopez"},
            {"Str(IMPORTE)", "   12.50"},
        },
        &scope);
    EXPECT_EQ(scope.current, "EMP");  // every alias->( ) restored the area
}

TEST_F(Expressions, FilterBarAndMacroForms) {
    expectCases(
        {
            {"Right( Upper( NAME ), 5 )  == 'LOPEZ'", true},
            {"Left( Upper( NAME ), 3 ) == 'ANA'", true},
            {"'LOP' $ Upper( NAME )", true},
            {"NUM <5", false},
            {"NUM >=5", true},
            {"NUM = 5", true},
            {"FECHA >= CToD( '01/01/2024' )", true},
            {"FECHA = CToD( '07/03/2024' )", true},
            {"ACTIVO == ( Left( Upper( 'si' ), 1 ) != 'N' )", true},
            {"( NUM > 1) .AND. Left( Upper( NAME ), 3 ) == 'ANA' .AND. NUM = 5", true},
            {"NAME = 'Ana'", true},   // EXACT off: as many characters as the right side has
            {"NAME == 'Ana'", false},
            {"Str(NUM, 6) + DToS(FECHA)", "     520240307"},
        },
        &scope);
    settings().exact = true;
    EXPECT_FALSE(eval("NAME = 'Ana'", &scope).asLogical());
}

TEST_F(Expressions, CompiledOnceEvaluatedManyTimes) {
    ExpressionPtr e = compile("NUM * 2 + DEPT->(NUM)", &scope);
    ASSERT_NE(e, nullptr);
    int lookupsAfterCompile = scope.lookups;
    EXPECT_EQ(e->eval().asInteger(), 19);
    scope.areas["EMP"]["NUM"] = 7;
    scope.areas["DEPT"]["NUM"] = 1;
    EXPECT_EQ(e->eval().asInteger(), 15);
    EXPECT_EQ(scope.lookups, lookupsAfterCompile);  // no name look-ups while evaluating
    EXPECT_EQ(e->text(), "NUM * 2 + DEPT->(NUM)");
}

TEST_F(Expressions, ShortCircuitAndLazyIIf) {
    struct ProbeCase {
        const char* text;
        int probes;
    } cases[] = {
        {".F. .AND. PROBE()", 0}, {".T. .OR. PROBE()", 0},       {"IIF(.T., 1, PROBE())", 0},
        {".T. .AND. PROBE()", 1}, {"IIF(.F., PROBE(), PROBE())", 1}, {"PROBE() .OR. PROBE()", 1},
    };
    for (const ProbeCase& c : cases) {
        probes = 0;
        eval(c.text, &scope);
        EXPECT_EQ(probes, c.probes) << c.text;
    }
}

TEST_F(Expressions, CompileErrorsAreErrorObjects) {
    struct ErrorCase {
        const char* text;
        int genCode;
    } cases[] = {
        {"1 +", eg::Syntax},       {"(1", eg::Syntax},          {"1)", eg::Syntax},
        {"'abc", eg::Syntax},      {"NUM := 1", eg::Syntax},    {"&cMacro", eg::Syntax},
        {"", eg::Syntax},          {"   ", eg::Syntax},         {"1 2", eg::Syntax},
        {"IIF(.T., 1)", eg::Syntax}, {"{1}", eg::Syntax},       {".X.", eg::Syntax},
        {"5abc", eg::Syntax},      {"Upper('a'", eg::Syntax},   {"f(,", eg::Syntax},
        {"NAME 'x'", eg::Syntax},  {"'it''s'", eg::Syntax},     {"DEPT->", eg::Syntax},
        {"a:b", eg::Syntax},       {"\x01", eg::Syntax},
        {"NOSUCHFN(1)", eg::NoFunc}, {"NOSUCHFIELD", eg::NoVar}, {"DEPT->NOSUCH", eg::NoVar},
        {"NOAREA->NAME", eg::NoVar}, {"M->x", eg::NoVar},
    };
    for (const ErrorCase& c : cases) {
        Error e = compileError(c.text);
        EXPECT_EQ(e.genCode, c.genCode) << c.text << ": " << e.description;
        EXPECT_EQ(e.operation, c.text);
        EXPECT_TRUE(e.canDefault) << c.text;
        EXPECT_FALSE(e.description.empty()) << c.text;
    }
    EXPECT_NE(compileError("1 + * 2").description.find("column 5"), std::string::npos);
    EXPECT_NE(compileError("NOSUCHFN(1)").description.find("NOSUCHFN"), std::string::npos);
}

TEST_F(Expressions, CompileErrorBreaksWhenTheHandlerSaysSo) {
    RecordingHandler handler(ErrorAction::Break);
    EXPECT_THROW(compile("1 +", &scope), Break);
}

TEST_F(Expressions, WithoutScopeThereAreNoFields) {
    EXPECT_EQ(eval("120>100", nullptr).asLogical(), true);
    RecordingHandler handler;
    EXPECT_EQ(compile("NAME", nullptr), nullptr);
    EXPECT_EQ(compile("DEPT->(1)", nullptr), nullptr);
    ASSERT_EQ(handler.seen.size(), 2u);
    EXPECT_EQ(handler.seen[0].genCode, eg::NoVar);
}

TEST_F(Expressions, DeepNestingIsAnErrorNotAStackOverflow) {
    struct DeepCase {
        std::string text;
        bool compiles;
    };
    std::string opens(10000, '('), closes(10000, ')');
    std::string chain = "1";
    for (int i = 0; i < 20000; ++i) chain += "+1";
    std::string shortChain = "1";
    for (int i = 0; i < 299; ++i) shortChain += "+1";
    std::string calls;
    for (int i = 0; i < 10000; ++i) calls += "Upper(";
    calls += "'a'" + std::string(10000, ')');
    std::string nots;
    for (int i = 0; i < 10000; ++i) nots += ".NOT. ";
    DeepCase cases[] = {
        {opens + "1" + closes, false},
        {std::string(10000, '-') + "1", false},
        {nots + ".T.", false},
        {chain, false},
        {calls, false},
        {opens, false},
        {std::string(50, '(') + "1" + std::string(50, ')'), true},
        {shortChain, true},
    };
    for (const DeepCase& c : cases) {
        RecordingHandler handler;
        ExpressionPtr e = compile(c.text, &scope);
        EXPECT_EQ(e != nullptr, c.compiles) << c.text.substr(0, 40);
        if (!c.compiles) {
            ASSERT_EQ(handler.seen.size(), 1u);
            EXPECT_TRUE(handler.seen[0].genCode == eg::Complexity || handler.seen[0].genCode == eg::Syntax);
        }
    }
    EXPECT_EQ(eval(shortChain, &scope).asInteger(), 300);
}

TEST_F(Expressions, NestingJustInsideTheLimitsEvaluates) {
    const int levels = kMaxDepth - 10;
    std::string calls, areas, negations;
    for (int i = 0; i < levels; ++i) {
        calls += "Upper(";
        areas += "DEPT->(";
    }
    for (int i = 0; i < levels / 2; ++i) negations += "-(";  // two levels each
    calls += "'a'" + std::string(levels, ')');
    areas += "NAME" + std::string(levels, ')');
    negations += "1" + std::string(levels / 2, ')');
    EXPECT_EQ(eval(calls, &scope).asString(), "A");
    EXPECT_EQ(eval(areas, &scope).asString(), "Sales");
    EXPECT_EQ(eval(negations, &scope).asInteger(), (levels / 2) % 2 ? -1 : 1);
    std::string chain = "NUM";
    for (int i = 1; i < kMaxHeight - 1; ++i) chain += " + NUM";
    EXPECT_EQ(eval(chain, &scope).asInteger(), 5 * (kMaxHeight - 1));
}

TEST_F(Expressions, ResultType) {
    struct TypeCase {
        const char* text;
        char type;
    } cases[] = {
        {"1 + 1", 'N'},        {"'a' + 'b'", 'C'},         {"NAME", 'C'},      {"DToS(FECHA)", 'C'},
        {"FECHA + 1", 'D'},    {"NUM = 1", 'L'},           {"IIF(.T., 1, 2)", 'N'},
        {"DEPT->(NUM)", 'N'},  {"IIF(ACTIVO, NUM, NAME)", 'N'},
    };
    for (const TypeCase& c : cases) {
        ExpressionPtr e = compile(c.text, &scope);
        ASSERT_NE(e, nullptr) << c.text;
        EXPECT_EQ(e->resultType(), c.type) << c.text;
    }
}

TEST_F(Expressions, RunTimeErrorsGoThroughTheHandler) {
    RecordingHandler handler;
    EXPECT_TRUE(eval("NUM + 'x'", &scope).isNil());
    EXPECT_EQ(eval("1 / (NUM - 5)", &scope).asInteger(), 0);
    EXPECT_FALSE(eval("NUM .AND. .T.", &scope).asLogical());
    EXPECT_EQ(eval("IIF(NUM, 1, 2)", &scope).asInteger(), 2);
    EXPECT_TRUE(eval("(NUM + 0)->NAME", &scope).isNil());  // area 5 does not exist
    ASSERT_EQ(handler.seen.size(), 5u);
    EXPECT_EQ(handler.seen[0].subCode, 1081);
    EXPECT_EQ(handler.seen[1].genCode, eg::ZeroDiv);
    EXPECT_EQ(handler.seen[2].subCode, 1078);
    EXPECT_EQ(handler.seen[3].subCode, 1066);
    EXPECT_EQ(handler.seen[4].genCode, eg::NoVar);
}

TEST_F(Expressions, Blocks) {
    BlockPtr b = compileBlock("NUM + 1", &scope);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->source(), "{|| NUM + 1 }");
    EXPECT_EQ(b->eval({}).asInteger(), 6);
    EXPECT_EQ(displayText(Value(b)), "{|| ... }");
    BlockPtr reader = compileBlock("DEPT->NAME", &scope);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->eval({}).asString(), "Sales");
    RecordingHandler handler;
    EXPECT_EQ(compileBlock("NUM +", &scope), nullptr);
}

}  // namespace
}  // namespace rt::expr
