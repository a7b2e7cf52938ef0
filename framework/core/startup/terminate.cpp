#include "framework/core/startup/terminate.h"

#include "framework/core/startup/crash_report.h"
#include "framework/core/startup/startup_platform.h"
#include "runtime/core/runtime.h"

namespace vorpex {

namespace {

struct State {
    bool terminating = false;
    bool crashed = false;
    bool inCrash = false;
};

State& state() {
    static State s;
    return s;
}

void run(const std::function<void()>& step) {
    if (step) step();
}

void exitWith(int code) {
    if (terminateHooks().exitProcess) {
        terminateHooks().exitProcess(code);
        return;
    }
    platform::exitProcess(code);
}

}  // namespace

TerminateHooks& terminateHooks() {
    static TerminateHooks hooks;
    return hooks;
}

bool terminating() { return state().terminating; }

void Terminate(int lQuit) {
    if (state().terminating) return;
    state().terminating = true;
    TerminateHooks& hooks = terminateHooks();
    if (!rt::quitRequested()) run(hooks.processMessages);
    run(hooks.releaseHotKeys);
    run(hooks.freeWindowLinks);
    run(hooks.collect);
    if (!lQuit) return;
    int code = rt::quit();
    // Whatever the exit procedures did, a crashed run never reports success.
    if (state().crashed && code == 0) code = 1;
    exitWith(code);
}

void handleCrash(uint32_t code) {
    State& s = state();
    if (s.inCrash) {
        exitWith(1);  // crashed again while reporting or shutting down
        return;
    }
    s.inCrash = true;
    s.crashed = true;
    if (rt::exitCode() == 0) rt::setExitCode(1);
    ShowCrashReport(code);
    bool shutdownRunning = s.terminating;
    Terminate(1);
    // Terminate returns at once when it was already running (the crash happened inside it): still end here.
    if (shutdownRunning) exitWith(rt::exitCode() != 0 ? rt::exitCode() : 1);
}

void resetTerminateForTests() { state() = State{}; }

}  // namespace vorpex
