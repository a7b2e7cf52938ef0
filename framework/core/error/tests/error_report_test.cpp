// The handler's texts and decisions over fixed errors, stacks, environments and work areas.
#include <gtest/gtest.h>

#include <sstream>

#include "framework/core/error/error_report.h"
#include "framework/core/texts/texts.h"

namespace vorpex::errsys {
namespace {

using rt::StackEntry;
using rt::Value;

class ErrorReport : public ::testing::Test {
protected:
    void SetUp() override { texts::SETLANGUAGE(9); }
};

rt::Error openError() {
    rt::Error e;
    e.genCode = rt::eg::Open;
    e.subSystem = "DBFNTX";
    e.subCode = 1001;
    e.description = "Open error";
    e.filename = "empleado.dbf";
    e.osCode = 2;
    e.canDefault = true;
    return e;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) out.push_back(text.substr(at, end - at));
    if (at < text.size()) out.push_back(text.substr(at));
    return out;
}

TEST_F(ErrorReport, SilentDecisions) {
    struct Case {
        int genCode, osCode;
        bool canDefault;
        Decision expected;
    } cases[] = {
        {rt::eg::ZeroDiv, 0, false, Decision::Zero},
        {rt::eg::Open, 32, true, Decision::NetError},
        {rt::eg::Open, 32, false, Decision::Report},  // no default allowed: the user must see it
        {rt::eg::Open, 2, true, Decision::Report},
        {rt::eg::AppendLock, 0, true, Decision::NetError},
        {rt::eg::AppendLock, 0, false, Decision::Report},
        {rt::eg::Arg, 0, true, Decision::Report},
    };
    for (const Case& c : cases) {
        rt::Error e;
        e.genCode = c.genCode;
        e.osCode = c.osCode;
        e.canDefault = c.canDefault;
        EXPECT_EQ(decide(e), c.expected) << c.genCode << "/" << c.osCode;
    }
}

TEST_F(ErrorReport, OneLineDescriptions) {
    rt::Error e = openError();
    EXPECT_EQ(errorMessage(e), "Error DBFNTX/1001  Open error: empleado.dbf");
    e.severity = 1;
    EXPECT_EQ(errorMessage(e), "Warning DBFNTX/1001  Open error: empleado.dbf");
    e = openError();
    e.subSystem.clear();
    e.filename.clear();
    e.operation = "USE";
    EXPECT_EQ(errorMessage(e), "Error ?\?\?/1001  Open error: USE");
    e.filename = "x.dbf";  // the file name wins: never both
    EXPECT_EQ(errorMessage(e), "Error ?\?\?/1001  Open error: x.dbf");
}

TEST_F(ErrorReport, ArgumentsAreListedWithTypeAndValue) {
    rt::Error e;
    EXPECT_EQ(argumentsText(e), "");
    e.args = Value::array({"abc"});
    EXPECT_EQ(argumentsText(e), " [ 1] = Type: C Val: abc");
    e.args = Value::array({12, Value(), true});
    EXPECT_EQ(argumentsText(e), " [ 1] = Type: N Val: 12 [ 2] = Type: U Val: NIL [ 3] = Type: L Val: .T.");
}

TEST_F(ErrorReport, MessageStartsAtTheFirstFrameOutsideTheHandler) {
    std::vector<StackEntry> stack{{"ERRORSYS", 12}, {"(b)HBOBJECT", 3}, {"TFORM1:BUTTON1CLICK", 40}, {"MAIN", 7}};
    rt::Error e = openError();
    std::string m = formMessage(e, stack, std::nullopt);
    EXPECT_EQ(m, "TFORM1:BUTTON1CLICK(40) \r\nError DBFNTX/1001  Open error: empleado.dbf\r\nArguments: ()\r\n"
                 "(DOS Error 2)");
    e.osCode = 0;
    e.args = Value::array({"abc"});
    EXPECT_EQ(lines(formMessage(e, stack, std::nullopt)).back(), "Arguments: ( [ 1] = Type: C Val: abc)");

    // The error names its own frame: found on the stack, the report starts there.
    EXPECT_EQ(lines(formMessage(e, stack, Origin{"MAIN", 7})).front(), "MAIN(7) ");
    // Not on the stack: its name leads, and the listing starts at frame 1.
    EXPECT_EQ(lines(formMessage(e, stack, Origin{"GONE", 3})).front(), "GONE(3) ");
    std::vector<StackEntry> frames = reportFrames(stack, Origin{"GONE", 3});
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].name, "TFORM1:BUTTON1CLICK");
}

TEST_F(ErrorReport, OptionsFollowWhatTheErrorAllows) {
    rt::Error e;
    EXPECT_EQ(options(e), (std::vector<std::string>{"&Quit"}));
    e.canRetry = e.canDefault = true;
    EXPECT_EQ(options(e), (std::vector<std::string>{"&Quit", "&Retry", "&Ignore"}));
    EXPECT_EQ(choiceOf(1, e), Choice::Quit);
    EXPECT_EQ(choiceOf(2, e), Choice::Retry);
    EXPECT_EQ(choiceOf(3, e), Choice::Ignore);
    EXPECT_EQ(choiceOf(0, e), Choice::Quit);  // the form closed without a choice
    EXPECT_EQ(choiceOf(4, e), Choice::Quit);
    e.canRetry = false;
    EXPECT_EQ(choiceOf(2, e), Choice::Ignore);
    e.canDefault = false;
    EXPECT_EQ(choiceOf(2, e), Choice::Quit);
}

LogEnvironment fixedEnvironment() {
    LogEnvironment env;
    env.exe = "C:\\app\\Asistencias.exe";
    env.version = "1.0";
    env.user = "ana";
    env.computer = "OFICINA";
    env.date = "25/03/2010";
    env.time = "08:15:00";
    env.freeMemory = "524288";
    env.currentArea = 2;
    env.frameworkVersion = "Vorpex 2.0.1";
    env.runtimeVersion = "rt 2";
    env.compiler = "gcc";
    env.platform = "Windows 6.1";
    return env;
}

TEST_F(ErrorReport, LogLayoutWithoutTables) {
    std::vector<StackEntry> stack{{"ERRORSYS", 1}, {"OPENTABLES", 20}, {"MAIN", 5}};
    std::vector<std::string> l = lines(logText(openError(), fixedEnvironment(), stack, std::nullopt, {}));
    const std::vector<std::string> expected{
        std::string(31, '*') + " Error log file " + std::string(32, '*'),
        "",
        "             Exe: C:\\app\\Asistencias.exe",
        "         Version: 1.0",
        "       User name: ana",
        "   Computer name: OFICINA",
        "            Date: 25/03/2010",
        "            Time: 08:15:00",
        "Available Memory: 524288",
        "    Current Area: 2",
        "",
        std::string(28, '-') + " Compiler Information " + std::string(29, '-'),
        "",
        "  Vorpex Version: Vorpex 2.0.1",
        "        Compiler: rt 2",
        "  C/C++ Compiler: gcc",
        "Windows Platform: Windows 6.1",
        "",
        std::string(21, '-') + " Internal Error Handling Information " + std::string(21, '-'),
        "",
        "  Subsystem Call: DBFNTX",
        "     System Code: 1001",
        "  Default Status: .T.",
        "     Description: Open error",
        "       Operation: ",
        "       Arguments: ",
        "   Involved File: empleado.dbf",
        "  Dos Error Code: 2",
        "",
        "Trace Through:",
        "  OPENTABLES (20)",
        "  MAIN (5)",
        "",
    };
    EXPECT_EQ(l, expected);
    for (size_t i : {0u, 11u, 18u}) EXPECT_EQ(l[i].size(), 79u) << l[i];
    for (size_t i = 2; i <= 5; ++i) EXPECT_EQ(l[i].find(": ") + 2, 18u) << l[i];
}

TEST_F(ErrorReport, OneBlockPerOpenTable) {
    std::vector<AreaState> areas{{1, "EMPLEADO", 7, "BAJA <> 'S'", "", 1, "NUMERO"}, {3, "CHECADAS", 1, "", "", 0, ""}};
    std::string text = logText(openError(), fixedEnvironment(), {}, std::nullopt, areas);
    std::vector<std::string> l = lines(text);
    ASSERT_GE(l.size(), 17u);
    std::vector<std::string> tail(l.end() - 17, l.end());
    EXPECT_EQ(tail[0], std::string(26, '-') + " Detailed Work Area Items " + std::string(27, '-'));
    EXPECT_EQ(tail[1], "");
    EXPECT_EQ(tail[2], "   Work Area No.: 1");
    EXPECT_EQ(tail[3], "   Alias Alias  : EMPLEADO");
    EXPECT_EQ(tail[4], "  Current Recno : 7");
    EXPECT_EQ(tail[5], "  Current Filter: BAJA <> 'S'");
    EXPECT_EQ(tail[7], "     Index Order: 1");
    EXPECT_EQ(tail[8], "      Active Key: NUMERO");
    EXPECT_EQ(tail[9], "");
    EXPECT_EQ(tail[10], "   Work Area No.: 3");
    EXPECT_EQ(tail[16], "      Active Key: ");
    EXPECT_EQ(text.find("Detailed Work Area Items"), text.rfind("Detailed Work Area Items"));
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
}  // namespace vorpex::errsys
