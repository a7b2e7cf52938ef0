#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/object/app_data.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/startup/application_procs.h"
#include "framework/core/startup/command_line.h"
#include "framework/core/startup/crash_report.h"
#include "framework/core/startup/instance_table.h"
#include "framework/core/startup/run_program.h"
#include "framework/core/startup/terminate.h"
#include "runtime/core/block.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLine, Split) {
    std::string forty;
    Words fortyWords{"prog.exe"};
    for (int i = 1; i <= 40; ++i) {
        forty += (i > 1 ? " w" : "w") + std::to_string(i);
        fortyWords.push_back("w" + std::to_string(i));
    }
    struct Case {
        const char* what;
        std::string line;
        Words expected;
    } cases[] = {
        {"empty", "", {"prog.exe"}},
        {"quoted pair between words", "a  \"b c\" d", {"prog.exe", "a", "b c", "d"}},
        {"leading blank makes an empty word", " a", {"prog.exe", "", "a"}},
        {"quote followed by letters stays", "\"x\"y z", {"prog.exe", "x\"y", "z"}},
        {"empty quotes", "\"\"", {"prog.exe", ""}},
        {"empty quotes between words", "a \"\" b", {"prog.exe", "a", "", "b"}},
        {"trailing blanks add nothing", "a   ", {"prog.exe", "a"}},
        {"closing quote with trailing blanks", "\"a b\"   ", {"prog.exe", "a b"}},
        {"unclosed quote runs to the end", "\"a  b", {"prog.exe", "a  b"}},
        {"quote inside a word opens quoting", "a\"b c\" d", {"prog.exe", "a\"b c", "d"}},
        {"tabs are not blanks", "a\tb c", {"prog.exe", "a\tb", "c"}},
        {"runtime switches are words here", "//INFO a", {"prog.exe", "//INFO", "a"}},
        {"forty words, all kept", forty, fortyWords},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(splitCommandLine("prog.exe", c.line), c.expected);
    }
}

TEST(CommandLine, RuntimeSwitchesDoNotReachTheProgram) {
    rt::resetForTests();
    rt::start(splitCommandLine("prog.exe", "//INFO a"), nullptr);
    EXPECT_EQ(rt::arguments(), Words{"a"});
    rt::resetForTests();
}

TEST(InstanceTable, PackedSlotsAndBounds) {
    InstanceTable t;
    t.reset(100);
    EXPECT_EQ(t.at(0), 100);
    for (intptr_t h : {201, 202, 203}) t.add(h);
    EXPECT_EQ(t.at(256), 0);
    EXPECT_EQ(t.at(1000000), 0);
    t.remove(201);  // slot 1: the later ones move down
    EXPECT_EQ(t.at(1), 202);
    EXPECT_EQ(t.at(2), 203);
    EXPECT_EQ(t.at(3), 0);
    t.remove(100);  // the program's own slot is never searched
    t.remove(999);
    t.remove(0);
    EXPECT_EQ(t.at(0), 100);
    EXPECT_EQ(t.at(1), 202);
    EXPECT_EQ(t.at(2), 203);

    t.reset(100);
    for (intptr_t h = 1; h <= 256; ++h) t.add(1000 + h);
    EXPECT_EQ(t.at(255), 1255);  // the 255th module fills the table
    t.remove(1001);
    EXPECT_EQ(t.at(255), 0);  // the 256th registration was ignored
    EXPECT_EQ(t.at(254), 1255);
}

TEST(InstanceTable, CallableForms) {
    registerStartupFunctions();
    instanceTable().reset(77);
    RegisterDllInstance(88);
    const rt::Function* get = rt::findFunction("GETINSTANCE");
    ASSERT_NE(get, nullptr);
    EXPECT_EQ((*get)({}).asInteger(), 77);
    std::vector<rt::Value> one{1}, far{256}, negative{-1};
    EXPECT_EQ((*get)(one).asInteger(), 88);
    EXPECT_EQ((*get)(far).asInteger(), 0);
    EXPECT_EQ((*get)(negative).asInteger(), 0);
    EXPECT_EQ(GetInstance(256), 0);
    UnRegisterDllInstance(88);
    EXPECT_EQ(GetInstance(1), 0);
}

TEST(CrashReport, TextLayout) {
    std::vector<rt::StackEntry> stack{{"INNER", 12}, {"TFORM1:BUTTON1CLICK", 40}, {"MAIN", 3}};
    EXPECT_EQ(crashReportText(0xC0000005, stack),
              "GPF (Code = c0000005):\r\nAccess violation\r\n\r\n"
              "INNER (12)\r\nTFORM1:BUTTON1CLICK (40)\r\nMAIN (3)\r\n");
    EXPECT_EQ(crashReportText(0xE0000001, {{"MAIN", 1}}), "GPF (Code = e0000001):\r\n\r\nMAIN (1)\r\n");
    EXPECT_EQ(crashReportText(0xC000008C, {}), "GPF (Code = c000008c):\r\nArray bounds exceeed\r\n\r\n");
    EXPECT_EQ(crashReportText(0x80000003, {}), "GPF (Code = 80000003):\r\nBreakpoint\r\n\r\n");
    // The stack stops at the first level without a name.
    EXPECT_EQ(crashReportText(0xC00000FD, {{"A", 1}, {"", 2}, {"B", 3}}),
              "GPF (Code = c00000fd):\r\nStack overflow\r\n\r\nA (1)\r\n");
    EXPECT_EQ(exceptionName(0x12345678), nullptr);
}

TEST(CrashReport, TwentyLevelsAndBoundedLength) {
    std::vector<rt::StackEntry> deep;
    for (int i = 0; i < 50; ++i) deep.push_back({"P" + std::to_string(i), i});
    std::string text = crashReportText(0xC0000005, deep);
    EXPECT_NE(text.find("P19 (19)\r\n"), std::string::npos);
    EXPECT_EQ(text.find("P20"), std::string::npos);

    std::vector<rt::StackEntry> wide(30, rt::StackEntry{std::string(100000, 'X'), 1});
    text = crashReportText(0xC0000005, wide);
    EXPECT_LE(text.size(), kCrashReportLimit);
    EXPECT_NE(text.find(std::string(kCrashNameLimit, 'X') + " (1)\r\n"), std::string::npos);
}

TEST(CrashReport, ShowTakesTheCurrentStackThroughThePresenter) {
    std::string shown;
    CrashPresenter old = setCrashReportPresenter([&](const std::string& t) {
        shown = t;
        return 7;
    });
    {
        rt::FrameGuard outer("MAIN", 5);
        rt::FrameGuard inner("CRASHER", 12);
        EXPECT_EQ(ShowCrashReport(0xC0000005), 7);
    }
    setCrashReportPresenter(old);
    EXPECT_EQ(shown, "GPF (Code = c0000005):\r\nAccess violation\r\n\r\nCRASHER (12)\r\nMAIN (5)\r\n");
}

// Records Terminate's steps and exits instead of ending the test process.
class ShutdownTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::resetForTests();
        resetTerminateForTests();
        setApplicationFactory(nullptr);
        TerminateHooks& h = terminateHooks();
        saved_ = h;
        h.processMessages = [this] { steps.push_back("messages"); };
        h.releaseHotKeys = [this] { steps.push_back("hotkeys"); };
        h.freeWindowLinks = [this] { steps.push_back("links"); };
        h.collect = [this] { steps.push_back("collect"); };
        h.exitProcess = [this](int code) { exits.push_back(code); };
        oldPresenter_ = setCrashReportPresenter([this](const std::string& t) {
            reports.push_back(t);
            return 0;
        });
    }
    void TearDown() override {
        terminateHooks() = saved_;
        setCrashReportPresenter(oldPresenter_);
        setApplicationFactory(nullptr);
        resetTerminateForTests();
        rt::resetForTests();
    }

    std::vector<std::string> steps;
    std::vector<int> exits;
    std::vector<std::string> reports;

private:
    TerminateHooks saved_;
    CrashPresenter oldPresenter_;
};

TEST_F(ShutdownTest, TerminateRunsItsStepsOnce) {
    rt::setExitCode(4);
    Terminate(1);
    EXPECT_EQ(steps, (Words{"messages", "hotkeys", "links", "collect"}));
    EXPECT_EQ(exits, std::vector<int>{4});
    EXPECT_TRUE(rt::exitProcsDone());
    Terminate(1);
    Terminate(0);
    EXPECT_EQ(steps.size(), 4u);
    EXPECT_EQ(exits.size(), 1u);
}

TEST_F(ShutdownTest, PendingQuitSkipsTheQueueAndNoQuitKeepsTheProcess) {
    rt::requestQuit();
    Terminate(0);
    EXPECT_EQ(steps, (Words{"hotkeys", "links", "collect"}));
    EXPECT_TRUE(exits.empty());
    EXPECT_FALSE(rt::exitProcsDone());
}

TEST_F(ShutdownTest, CrashReportsThenEndsWithANonZeroCode) {
    rt::FrameGuard frame("CRASHER", 9);
    handleCrash(0xC0000005);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("GPF (Code = c0000005):\r\nAccess violation\r\n\r\nCRASHER (9)\r\n", 0), 0u);
    EXPECT_EQ(exits, std::vector<int>{1});
    EXPECT_TRUE(rt::exitProcsDone());  // the exit procedures still ran
}

TEST_F(ShutdownTest, CrashWhileTerminateRunsStillEndsWithANonZeroCode) {
    terminateHooks().freeWindowLinks = [] { handleCrash(0xC0000005); };
    Terminate(1);
    ASSERT_FALSE(exits.empty());
    EXPECT_EQ(exits.front(), 1);  // the crash path ends the process itself
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(ShutdownTest, CrashInsideTheCrashPathEndsAtOnce) {
    setCrashReportPresenter([](const std::string&) {
        handleCrash(0xC0000005);
        return 0;
    });
    handleCrash(0xC0000094);
    ASSERT_GE(exits.size(), 1u);
    EXPECT_EQ(exits.front(), 1);
}

TEST_F(ShutdownTest, ApplicationProcsWithoutAnApplicationClass) {
    initApplication();
    for (const char* name : {"Application", "Screen", "Printer"}) {
        EXPECT_TRUE(rt::isPublic(name));
        EXPECT_TRUE(rt::publicVar(name).isNil());
    }
    rt::Value appData = rt::publicVar("AppData");
    ASSERT_TRUE(appData.isObject());
    int closes = 0;
    assignEvent(*appData.asObject(), XAppData::OnClose, rt::Value(rt::makeBlock([&](rt::Args) {
                    ++closes;
                    return rt::Value();
                })));
    terminateApp();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(rt::publicVar("AppData").isNil());
    EXPECT_TRUE(terminating());  // TERMINATE(.F.) ran
    terminateApp();              // nothing left to end
    EXPECT_EQ(closes, 1);
}

TEST_F(ShutdownTest, ApplicationFactoryPlugsIn) {
    static int ended = 0;
    VPClass b("TestApplication", &TComponent::classRecord());
    b.addMethod("End", [](rt::Object&, const rt::Method&, rt::Args) {
        ++ended;
        return rt::Value();
    });
    const rt::Class& appClass = b.create();
    setApplicationFactory([&] { rt::publicVar("Application") = rt::Value(appClass.instantiate()); });
    initApplication();
    EXPECT_TRUE(rt::publicVar("Application").isObject());
    EXPECT_TRUE(rt::publicVar("AppData").isObject());
    terminateApp();
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(rt::publicVar("Application").isNil());
}

TEST_F(ShutdownTest, RunProgramFromCommandLineToExit) {
    Words seen;
    bool appDataAtMain = false;
    ProgramEntry e;
    e.instance = 0x400000;
    e.commandLine = "one \"two three\" //NOLOGO";
    e.modulePath = "C:\\apps\\prog.exe";
    registerStartupFunctions();
    int rc = runProgram(e, [&] {
        seen = rt::arguments();
        appDataAtMain = rt::publicVar("AppData").isObject();
        rt::setExitCode(3);
    });
    EXPECT_EQ(seen, (Words{"one", "two three"}));
    EXPECT_TRUE(appDataAtMain);  // INITAPPLICATION$ ran before MAIN
    EXPECT_EQ(GetInstance(0), 0x400000);
    EXPECT_EQ(programEntry().modulePath, "C:\\apps\\prog.exe");
    EXPECT_EQ(exits, std::vector<int>{3});
    EXPECT_TRUE(rt::publicVar("AppData").isNil());  // TERMINATEAPP$ ran
    EXPECT_EQ(rc, 3);
}

TEST_F(ShutdownTest, RunProgramReportsAnEscapingCppException) {
    runProgram(ProgramEntry{}, [] { throw std::runtime_error("lost"); });
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("GPF (Code = 20474343):\r\n\r\n", 0), 0u);
    ASSERT_FALSE(exits.empty());
    EXPECT_EQ(exits.front(), 1);
}

TEST_F(ShutdownTest, TerminateCallableDefaultsToQuit) {
    registerStartupFunctions();
    const rt::Function* terminate = rt::findFunction("TERMINATE");
    ASSERT_NE(terminate, nullptr);
    std::vector<rt::Value> no{false};
    (*terminate)(no);
    EXPECT_TRUE(exits.empty());
    resetTerminateForTests();
    (*terminate)({});
    EXPECT_EQ(exits, std::vector<int>{0});
}

}  // namespace
}  // namespace vorpex
