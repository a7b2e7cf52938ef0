#include "framework/core/startup/application_procs.h"

#include "framework/core/object/app_data.h"
#include "framework/core/startup/terminate.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

ApplicationFactory& applicationFactory() {
    static ApplicationFactory f;
    return f;
}

// Sends End to the object in the public variable and clears it; false when it held none.
bool endPublic(const char* name) {
    rt::Value object = rt::publicVar(name);
    if (!object.isObject()) return false;
    static const rt::Symbol end = rt::Symbol::intern("End");
    rt::send(object, end);
    rt::publicVar(name) = rt::Value();
    return true;
}

}  // namespace

void setApplicationFactory(ApplicationFactory f) { applicationFactory() = std::move(f); }

void initApplication() {
    for (const char* name : {"Application", "AppData", "Screen", "Printer"}) {
        rt::declarePublic(name);
        rt::publicVar(name) = rt::Value();
    }
    if (const ApplicationFactory& make = applicationFactory()) make();
    // Until an application layer makes it, AppData is built here so programs always find their data bag.
    if (!rt::publicVar("AppData").isObject())
        rt::send(rt::Value(TAppData::classRecord().instantiate()), "Initialize");
}

void terminateApp() {
    // The Application ends Screen, Printer and AppData itself; without one, AppData is ended here.
    if (!endPublic("Application") && !endPublic("AppData")) return;
    Terminate(0);
}

void installApplicationProcs() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    rt::addStartupProc("INITAPPLICATION$", initApplication);
    rt::addExitProc("TERMINATEAPP$", terminateApp);
}

}  // namespace vorpex
