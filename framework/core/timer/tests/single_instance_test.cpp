// The single-instance guard under Wine: the creation that finds the mutex made already reports it, the
// Application's mutex is released when the Application ends, and of two instances started together exactly
// one runs (separate processes of the probe program, started on one signal).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/app/application.h"
#include "framework/core/timer/mutex_port.h"
#include "framework/core/timer/services.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

std::string uniqueName(const char* what) {
    return std::string("VorpexTest.") + what + "." + std::to_string(GetCurrentProcessId());
}

std::string besideProgram(const char* file) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path);
    return dir.substr(0, dir.rfind('\\') + 1) + file;
}

struct Probe {
    PROCESS_INFORMATION process{};
    HANDLE decided = nullptr;
};

Probe startProbe(const std::string& title, const std::string& start, const std::string& release, int n) {
    Probe p;
    const std::string decided = uniqueName("decided") + "." + std::to_string(n);
    p.decided = CreateEventA(nullptr, FALSE, FALSE, decided.c_str());
    std::string command = "\"" + besideProgram("single_instance_probe.exe") + "\" " + title + " " + start + " " +
                          decided + " " + release;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                               &p.process));
    return p;
}

DWORD finish(Probe& p) {
    DWORD code = 0;
    EXPECT_EQ(WaitForSingleObject(p.process.hProcess, 30000), WAIT_OBJECT_0);
    GetExitCodeProcess(p.process.hProcess, &code);
    CloseHandle(p.process.hProcess);
    CloseHandle(p.process.hThread);
    CloseHandle(p.decided);
    return code;
}

TEST(SingleInstance, ACreationThatFindsTheMutexMadeAlreadyReportsIt) {
    const std::string name = uniqueName("made");
    HANDLE first = CreateMutexA(nullptr, TRUE, name.c_str());  // another instance, owning it
    ASSERT_NE(first, nullptr);
    MutexCreation second = mutexPort().create(name, 0);
    EXPECT_TRUE(second.existed);
    EXPECT_NE(second.handle, 0);
    mutexPort().close(second.handle);
    ReleaseMutex(first);
    CloseHandle(first);
    EXPECT_EQ(mutexPort().open(name), 0);  // gone with its last handle
    EXPECT_EQ(mutexPort().open(""), 0);
    EXPECT_EQ(mutexPort().create("", 0).handle, 0);
}

TEST(SingleInstance, TheApplicationsMutexIsReleasedWhenTheApplicationEnds) {
    registerServiceClasses();
    rt::declarePublic("Application");
    rt::Value app = initializeApplication();
    const std::string title = uniqueName("app");
    rt::send(app, "_cTitle", {title});
    rt::send(app, "_lSingleInstance", {true});
    intptr_t held = mutexPort().open(title);
    EXPECT_NE(held, 0);
    mutexPort().close(held);
    rt::send(app, "End");
    app = rt::Value();
    windowLinks().freeReleased();
    EXPECT_EQ(mutexPort().open(title), 0);
}

TEST(SingleInstance, OfTwoInstancesStartedTogetherExactlyOneRuns) {
    const std::string title = uniqueName("pair"), start = uniqueName("start"), release = uniqueName("release");
    HANDLE startEvent = CreateEventA(nullptr, TRUE, FALSE, start.c_str());
    HANDLE releaseEvent = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
    Probe a = startProbe(title, start, release, 1), b = startProbe(title, start, release, 2);
    SetEvent(startEvent);
    HANDLE decided[] = {a.decided, b.decided};
    EXPECT_EQ(WaitForMultipleObjects(2, decided, TRUE, 30000), WAIT_OBJECT_0);
    SetEvent(releaseEvent);
    const DWORD codeA = finish(a), codeB = finish(b);
    EXPECT_EQ(codeA + codeB, 30u) << codeA << " " << codeB;  // one 10 (runs), one 20 (refused)

    // Both have ended: a new instance runs again.
    ResetEvent(releaseEvent);
    Probe c = startProbe(title, start, release, 3);
    EXPECT_EQ(WaitForSingleObject(c.decided, 30000), WAIT_OBJECT_0);
    SetEvent(releaseEvent);
    EXPECT_EQ(finish(c), 10u);
    CloseHandle(startEvent);
    CloseHandle(releaseEvent);
}

}  // namespace
}  // namespace vorpex
