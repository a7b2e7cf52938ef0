// The debugger trace through a recording sink: line format and indentation, the text form of nested arrays,
// the call-stack lines, the hexadecimal and decimal outputs, and native code reaching LOGDISPLAY by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/debug/debug_functions.h"
#include "framework/core/debug/debug_log.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime.h"
#include "tests/support/function_call.h"

namespace vorpex {
namespace {

using rt::testing::call;

struct DebugLogTest : ::testing::Test {
    void SetUp() override {
        registerDebugFunctions();
        resetLogIndent();
        previous = setDebugSink([this](std::string_view line) { lines.emplace_back(line); });
    }
    void TearDown() override {
        setDebugSink(std::move(previous));
        resetLogIndent();
    }
    std::vector<std::string> lines;
    DebugSink previous;
};

TEST_F(DebugLogTest, LogDebugJoinsTheTextsOfItsArgumentsAfterTheIndentation) {
    const rt::Value nested = rt::Value::array({1, rt::Value::array({2, 3})});
    call("LOGDEBUG", {nested, "x"});
    call("LOGINCINDENT");
    call("LOGDEBUG", {"a", 2.5, true, rt::Value()});
    call("LOGDECINDENT");
    call("LOGDECINDENT");  // never below nothing
    call("LOGDEBUG", {"b"});
    EXPECT_EQ(lines, (std::vector<std::string>{" 1  2 3 x", "  a 2.50 .T. NIL", "b"}));
}

TEST_F(DebugLogTest, LogDebugTakesAtMostNineValues) {
    call("LOGDEBUG", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(lines, (std::vector<std::string>{"1 2 3 4 5 6 7 8 9"}));
}

TEST_F(DebugLogTest, DbgToStringRecursesIntoArraysAndKeepsOtherTexts) {
    EXPECT_EQ(call("DBGTOSTRING", {rt::Value::array({"a", rt::Value::array({}), rt::Value::array({1})})}).asString(),
              " a   1");
    EXPECT_EQ(call("DBGTOSTRING", {"plain"}).asString(), "plain");
    EXPECT_EQ(call("DBGTOSTRING", {rt::Value::array()}).asString(), "");
}

TEST_F(DebugLogTest, DebugStackWritesOneLinePerCallerInnermostFirst) {
    rt::FrameGuard outer("OUTER", 10);
    rt::FrameGuard inner("INNER", 20);
    call("DEBUGSTACK", {2});
    EXPECT_EQ(lines, (std::vector<std::string>{"Calls: INNER(20)", "       OUTER(10)"}));
    lines.clear();
    call("DEBUGSTACK");
    EXPECT_EQ(lines, (std::vector<std::string>{"Calls: INNER(20)"}));
    lines.clear();
    call("DEBUGSTACK", {50});  // a shallower stack gives fewer lines
    EXPECT_GE(lines.size(), 2u);
    EXPECT_LT(lines.size(), 50u);
}

TEST_F(DebugLogTest, NumbersAndTextsGoOutAsTheyAre) {
    call("OUTPUTDEBUGSTRING");
    call("OUTPUTDEBUGSTRING", {"hola"});
    call("OUTPUTDEBUGDEC", {-42});
    call("OUTPUTDEBUGHEX", {255});
    call("OUTPUTDEBUGHEX", {0x12345});
    call("OUTPUTDEBUGHEX", {-1});
    EXPECT_EQ(lines, (std::vector<std::string>{"", "hola", "-42", "00FF", "12345", "FFFFFFFF"}));
}

TEST_F(DebugLogTest, NativeCodeReachesLogDisplayByNameWithTheIndentation) {
    call("LOGINCINDENT");
    logDisplayText("texto");
    logDisplayNumber(7);
    // Without a window system the log window's lines go to the debugger output.
    EXPECT_EQ(lines, (std::vector<std::string>{"  texto", "  7"}));
}

}  // namespace
}  // namespace vorpex
