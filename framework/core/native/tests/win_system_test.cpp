// System, process and utility wrappers under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include "call.h"
#include "framework/core/native/win_system.h"

namespace vorpex {
namespace {

using testing::call;

std::string folderOfThisProgram() {
    std::string path = win::moduleFileName(nullptr);
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string helperProgram() { return folderOfThisProgram() + "exit_seven.exe"; }

// An event the helper waits for; signalled, it lets the helper end.
class HelperGate {
public:
    HelperGate() : name_("vorpex-native-test-" + std::to_string(GetCurrentProcessId())) {
        event_ = CreateEventA(nullptr, TRUE, FALSE, name_.c_str());
    }
    ~HelperGate() { CloseHandle(event_); }
    std::string command() const { return "\"" + helperProgram() + "\" " + name_; }
    void open() { SetEvent(event_); }

private:
    std::string name_;
    HANDLE event_;
};

TEST(Process, ExecuteAndWaitGivesTheExitCode) {
    EXPECT_EQ(call("EXECUTE", {"\"" + helperProgram() + "\"", rt::Value(), true}).asInteger(), 7);
    EXPECT_EQ(call("EXECUTE", {12}).asInteger(), 0);
    EXPECT_EQ(call("EXECUTE", {"no-such-program-anywhere.exe", rt::Value(), true}).asInteger(), 0);
}

TEST(Process, RunningUntilItEndsThenTheHandleIsGone) {
    HelperGate gate;
    const int64_t h = call("EXECUTE", {gate.command(), folderOfThisProgram(), false}).asInteger();
    ASSERT_NE(h, 0);
    EXPECT_TRUE(call("ISRUNNING", {h}).asLogical());
    EXPECT_TRUE(call("ISRUNNING", {h}).asLogical());
    gate.open();
    // Wait for the end through a handle of our own: the one given out is the callables' to close.
    HANDLE watcher = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(static_cast<intptr_t>(h)),
                                GetCurrentProcess(), &watcher, SYNCHRONIZE, FALSE, 0));
    ASSERT_EQ(WaitForSingleObject(watcher, 30000), WAIT_OBJECT_0);
    CloseHandle(watcher);
    EXPECT_FALSE(call("ISRUNNING", {h}).asLogical());
    EXPECT_FALSE(call("ISRUNNING", {h}).asLogical());  // closed once; the number is no process any more
    EXPECT_FALSE(call("KILLPROCESS", {h}).asLogical());
}

TEST(Process, KillReportsWhatHappened) {
    HelperGate gate;
    const int64_t h = call("EXECUTE", {gate.command(), rt::Value(), false}).asInteger();
    ASSERT_NE(h, 0);
    EXPECT_TRUE(call("KILLPROCESS", {h}).asLogical());
    EXPECT_FALSE(call("ISRUNNING", {h}).asLogical());
    EXPECT_FALSE(call("KILLPROCESS", {h}).asLogical());
    EXPECT_FALSE(call("KILLPROCESS", {"x"}).asLogical());
}

TEST(System, FoldersAndNames) {
    const std::string temp = call("GETTEMPDIRECTORY").asString();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(call("EXISTDIR", {temp}).asLogical());
    EXPECT_FALSE(call("EXISTDIR", {temp + "no-such-folder"}).asLogical());
    EXPECT_FALSE(call("EXISTDIR", {1}).asLogical());
    EXPECT_FALSE(call("GETUSERNAME").asString().empty());
    EXPECT_FALSE(call("GETCOMPUTERNAME").asString().empty());
    EXPECT_FALSE(call("GETWINDOWSDIRECTORY").asString().empty());
    EXPECT_FALSE(call("GETCURRENTDIRECTORY").asString().empty());
    EXPECT_EQ(call("GETFILEATTRIBUTES", {temp + "no-such-file"}).asInteger(), -1);
    EXPECT_EQ(call("GETFILEATTRIBUTES", {5}).asInteger(), 0);
    EXPECT_NE(call("GETFILEATTRIBUTES", {temp}).asInteger() & FILE_ATTRIBUTE_DIRECTORY, 0);
    EXPECT_EQ(call("GETLONGPATHNAME", {3}).asString(), "");
}

TEST(System, DrivesAreLettersWithColon) {
    auto all = call("GETDRIVES").asArray();
    auto fixed = call("GETDRIVES", {DRIVE_FIXED}).asArray();
    ASSERT_TRUE(all && fixed);
    EXPECT_FALSE(fixed->items.empty());
    for (const auto& d : all->items) {
        ASSERT_EQ(d.asString().size(), 2u);
        EXPECT_EQ(d.asString()[1], ':');
    }
    for (const auto& d : fixed->items) {
        bool found = false;
        for (const auto& a : all->items) found = found || a.asString() == d.asString();
        EXPECT_TRUE(found) << d.asString();
    }
}

TEST(System, SearchPathAndRegistration) {
    EXPECT_EQ(call("SEARCHPATH", {folderOfThisProgram(), "exit_seven", ".exe"}).asString().size(),
              helperProgram().size());
    EXPECT_EQ(call("SEARCHPATH", {folderOfThisProgram(), "no-such-file", ".exe"}).asString(), "");
    EXPECT_FALSE(call("DLLREGISTERSERVER", {"no-such-library.dll"}).asLogical());
    EXPECT_FALSE(call("DLLUNREGISTERSERVER", {"kernel32.dll"}).asLogical());  // no such export
    EXPECT_NE(call("GETMODULEFILENAME", {0}).asString().find("native_win32_tests.exe"), std::string::npos);
    const std::string made = call("GETTEMPFILENAME", {rt::Value(), "VX", 0}).asString();
    ASSERT_FALSE(made.empty());
    EXPECT_NE(GetFileAttributesA(made.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(made.c_str());
}

TEST(System, WideConversionsRoundTripAndStayInBounds) {
    const std::string text = "Adi\xF3s";  // code page 1252
    const std::string wide = call("ANSITOWIDE", {text}).asString();
    ASSERT_EQ(wide.size(), 12u);  // five characters and the final null, two bytes each
    EXPECT_EQ(static_cast<unsigned char>(wide[6]), 0xF3);
    EXPECT_EQ(call("WIDETOANSI", {wide}).asString(), text);
    EXPECT_EQ(call("WIDETOANSI", {wide.substr(0, 5)}).asString(), "Ad");  // an odd byte is no character
    EXPECT_EQ(call("WIDETOANSI", {7}).asString(), "");
    EXPECT_EQ(win::utf8ToAnsi("Adi\xC3\xB3s").value_or(""), text);
}

TEST(System, VersionAndSystemText) {
    const rt::Value v = call("GETVERSIONEX");
    ASSERT_TRUE(v.isArray());
    EXPECT_EQ(v.asArray()->at1(3).asInteger(), 2);
    EXPECT_TRUE(call("VP_ISWINNT").asLogical());
    EXPECT_EQ(call("OEMTOANSI", {5}).asString(), "");
    EXPECT_EQ(call("ANSITOOEM", {"abc"}).asString(), "abc");
}

}  // namespace
}  // namespace vorpex
