// HTML Help through the recording stand-in library under Wine: the structures each command hands to HtmlHelpA,
// the keyword look-up's follow-up messages to the viewer, a pop-up placed from the control, and a missing
// library making every HTML Help command answer 0. WinHelp is never called here (it would start a viewer).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/timer/help.h"
#include "framework/core/timer/help_port.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

std::string besideProgram(const char* file) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path);
    return dir.substr(0, dir.rfind('\\') + 1) + file;
}

// The stand-in's own exports.
struct Stub {
    HMODULE module = nullptr;
    int(WINAPI* count)() = nullptr;
    int(WINAPI* call)(int, char*, int) = nullptr;
    void(WINAPI* openWindows)(BOOL) = nullptr;
    HWND(WINAPI* lastWindow)() = nullptr;
    void(WINAPI* reset)() = nullptr;

    template <class F>
    void bind(F& f, const char* name) {
        f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    std::string last() const {
        char buffer[512] = {};
        return call(count() - 1, buffer, sizeof buffer) >= 0 ? buffer : "";
    }
};

// A control as Popup reads it: a window handle and a help id.
const rt::Class& helpedControl() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("THELPEDCONTROL", nullptr, nullptr);
        b.addData("Handle", 0);
        b.addData("HelpId", 0);
        return b.create();
    }();
    return c;
}

struct HelpStubTest : ::testing::Test {
    void SetUp() override {
        setHtmlHelpLibrary(besideProgram("vorpex_hhstub.dll"));
        file = rt::send(rt::Value(THelp::classRecord().instantiate()), "New", {"manual.chm"});
        // The framework loads the library on the first request; this reaches the same module.
        rt::send(file, "ShowTOC");
        ASSERT_NE(GetModuleHandleA("vorpex_hhstub.dll"), nullptr);
        // A reference of the test's own, so the exports stay while the framework drops its library.
        stub.module = LoadLibraryA(besideProgram("vorpex_hhstub.dll").c_str());
        stub.bind(stub.count, "HtmlHelpStubCallCount");
        stub.bind(stub.call, "HtmlHelpStubCall");
        stub.bind(stub.openWindows, "HtmlHelpStubOpenWindows");
        stub.bind(stub.lastWindow, "HtmlHelpStubLastWindow");
        stub.bind(stub.reset, "HtmlHelpStubReset");
        stub.reset();
    }
    void TearDown() override {
        setHtmlHelpLibrary("HHCtrl.ocx");
        FreeLibrary(stub.module);
    }
    rt::Value file;
    Stub stub;
};

TEST_F(HelpStubTest, EachCommandReachesHtmlHelpWithItsArguments) {
    struct Case {
        const char* method;
        rt::Value argument;
        const char* line;
    };
    const Case cases[] = {
        {"ShowTOC", {}, "1 owner=desktop file=manual.chm data=0"},
        {"ShowIndex", {}, "2 owner=desktop file=manual.chm data=0"},
        {"ShowSearch", {}, "3 owner=desktop file=manual.chm query"},
        {"ShowTopic", "altas.htm", "0 owner=desktop file=manual.chm::/altas.htm data=0"},
        {"ShowTopic", {}, "0 owner=desktop file=manual.chm data=0"},
        {"ShowContext", 42, "15 owner=desktop file=manual.chm data=42"},
        {"ShowFinder", {}, "0 owner=desktop file=manual.chm data=0"},
        {"Close", {}, "18 owner=desktop file= data=0"},
    };
    for (const Case& c : cases) {
        if (c.argument.isNil())
            rt::send(file, c.method);
        else
            rt::send(file, c.method, {c.argument});
        EXPECT_EQ(stub.last(), c.line) << c.method;
    }
    EXPECT_FALSE(rt::send(file, "ShowTopic", {"a"}).asLogical());  // no viewer window opened
}

TEST_F(HelpStubTest, AKeywordLookUpThatOpensAViewerSwitchesItToTheSearchResults) {
    stub.openWindows(TRUE);
    EXPECT_TRUE(rt::send(file, "ShowKeyword", {"altas", true}).asLogical());
    EXPECT_EQ(stub.last(), "13 owner=desktop file=manual.chm keywords=altas indexOnFail=1");
    HWND viewer = stub.lastWindow();
    ASSERT_NE(viewer, nullptr);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, viewer, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(m.wParam, 206u);
    ASSERT_TRUE(PeekMessageA(&m, viewer, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_F6));
    DestroyWindow(viewer);
    stub.openWindows(FALSE);
    EXPECT_FALSE(rt::send(file, "ShowKeyword", {"nada"}).asLogical());
    EXPECT_EQ(stub.last(), "13 owner=desktop file=manual.chm keywords=nada indexOnFail=0");
}

TEST_F(HelpStubTest, APopUpIsOwnedByTheControlAndPlacedBelowIt) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 120, 80, 30, nullptr, nullptr, nullptr, nullptr);
    rt::Value control(helpedControl().instantiate());
    rt::send(control, "_Handle", {rt::Value(reinterpret_cast<intptr_t>(window))});
    rt::send(control, "_HelpId", {55});
    rt::send(file, "Popup", {control});
    EXPECT_EQ(stub.last(), "14 owner=window file=manual.chm id=55 below=1 colors=-1,-1 margins=-1");
    DestroyWindow(window);
}

TEST_F(HelpStubTest, WithoutTheLibraryEveryHtmlHelpCommandAnswersZero) {
    setHtmlHelpLibrary(besideProgram("no_such_help.dll"));
    const int before = stub.count();
    for (const char* method : {"ShowTOC", "ShowIndex", "ShowSearch", "ShowContext", "ShowFinder", "Close"})
        EXPECT_EQ(rt::send(file, method).asInteger(), 0) << method;
    EXPECT_FALSE(rt::send(file, "ShowTopic", {"a"}).asLogical());
    EXPECT_FALSE(rt::send(file, "ShowKeyword", {"a"}).asLogical());
    EXPECT_EQ(stub.count(), before);
}

}  // namespace
}  // namespace vorpex
