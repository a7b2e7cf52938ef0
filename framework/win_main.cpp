// The native entry routine of every program (Win32 GUI subsystem). The crash guard is the process's
// unhandled-exception filter: mingw has no __try, and the filter also sees exceptions raised under a window
// procedure that the message loop dispatched.
#include <windows.h>

#include "framework/core/startup/program.h"
#include "framework/framework_wiring.h"
#include "framework/core/startup/run_program.h"
#include "framework/core/startup/startup_platform.h"
#include "framework/core/startup/terminate.h"
#include "framework/core/theme/theme.h"

namespace {

LONG WINAPI crashFilter(EXCEPTION_POINTERS* info) {
    vorpex::handleCrash(static_cast<uint32_t>(info->ExceptionRecord->ExceptionCode));
    return EXCEPTION_EXECUTE_HANDLER;  // not reached: handleCrash ends the process
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    SetUnhandledExceptionFilter(crashFilter);
    // Leaves the filter some stack to build its report on after a stack overflow.
    ULONG reserve = 64 * 1024;
    SetThreadStackGuarantee(&reserve);
    vorpex::ProgramEntry e;
    e.instance = reinterpret_cast<intptr_t>(instance);
    e.previousInstance = reinterpret_cast<intptr_t>(previous);
    e.commandLine = commandLine ? commandLine : "";
    e.showCommand = showCommand;
    e.modulePath = vorpex::platform::moduleFileName(e.instance);
    // Whether visual styles are in use is decided once, before any window exists.
    vorpex::theme::initTheme();
    vorpex::wireFramework();
    return vorpex::runProgram(e, [] { MAIN(); });
}
