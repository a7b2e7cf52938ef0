// The once-only shutdown and the crash path. Terminate's steps call hooks that the window and application
// layers install, so the order is fixed here and tested without windows:
//   1. once only; 2. unless a quit is pending, serve the messages still queued; 3. release the hot-key blocks;
//   4. free the window links; 5. collect; 6. with lQuit: the runtime's quit (exit procedures) and the end of
//   the process with its exit code.
#pragma once

#include <cstdint>
#include <functional>

namespace vorpex {

struct TerminateHooks {
    std::function<void()> processMessages;
    std::function<void()> releaseHotKeys;
    // Must unlink each live window first (restore its procedure, clear its user data) and only then dispose of
    // the link record: the exit procedures that run afterwards still destroy windows.
    std::function<void()> freeWindowLinks;
    std::function<void()> collect;
    // Ends the process; the default is the platform's. Tests replace it with one that returns.
    std::function<void(int)> exitProcess;
};

TerminateHooks& terminateHooks();

// lQuit non-zero ends the process. A second call returns at once.
void Terminate(int lQuit);
bool terminating();

// The code a C++ exception escaping the program is reported with.
inline constexpr uint32_t kCppExceptionCode = 0x20474343;

// An exception escaped the program: show the report, then end orderly (exit procedures still run) with a
// non-zero exit code, also when the crash happened while Terminate was already running. A crash inside this
// path ends the process at once.
void handleCrash(uint32_t code);

void resetTerminateForTests();

}  // namespace vorpex
