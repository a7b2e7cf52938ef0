// One instance of a program that asks for a single instance, for the single-instance tests: it waits for the
// start signal, makes the Application with the given title and sets lSingleInstance, signals that it decided,
// and holds on until released. Exit code 10: it would run; 20: another instance runs; 30: it could not tell.
//   single_instance_probe <title> <start event> <decided event> <release event>
#include <windows.h>

#include <cstdio>

#include "framework/core/app/application.h"
#include "framework/core/timer/services.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

int main(int argc, char** argv) {
    if (argc < 5) return 30;
    HANDLE start = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    HANDLE decided = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[4]);
    if (!start || !decided || !release) return 30;
    if (WaitForSingleObject(start, 30000) != WAIT_OBJECT_0) return 30;

    vorpex::registerServiceClasses();
    rt::declarePublic("Application");
    rt::Value app = vorpex::initializeApplication();
    rt::send(app, "_cTitle", {argv[1]});
    int code = 10;
    try {
        rt::send(app, "_lSingleInstance", {true});
    } catch (const rt::Break&) {
        code = 20;  // what the application does when another instance runs and OnNewInstance says nothing
    }
    SetEvent(decided);
    WaitForSingleObject(release, 30000);
    rt::send(app, "End");
    return code;
}
