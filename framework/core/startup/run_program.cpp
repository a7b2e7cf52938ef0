#include "framework/core/startup/run_program.h"

#include <cstdint>
#include <exception>

#include "framework/core/app/application_layer.h"
#include "framework/core/startup/application_procs.h"
#include "framework/core/startup/command_line.h"
#include "framework/core/startup/core_wiring.h"
#include "framework/core/startup/instance_table.h"
#include "framework/core/startup/terminate.h"

namespace vorpex {

namespace {

ProgramEntry& entry() {
    static ProgramEntry e;
    return e;
}

}  // namespace

const ProgramEntry& programEntry() { return entry(); }

void registerStartupFunctions() {
    rt::registerFunction("TERMINATE", [](rt::Args a) {
        const rt::Value& quit = rt::arg(a, 0);
        Terminate(quit.isNil() || quit.asLogical() ? 1 : 0);
        return rt::Value();
    });
    rt::registerFunction("GETINSTANCE", [](rt::Args a) {
        int64_t index = rt::arg(a, 0).asInteger();
        if (index < 0) return rt::Value(0);
        return rt::Value::integer(GetInstance(index > UINT32_MAX ? UINT32_MAX : static_cast<unsigned>(index)));
    });
}

int runProgram(const ProgramEntry& e, const rt::Procedure& main) {
    entry() = e;
    instanceTable().reset(e.instance);
    wireCore();
    installApplicationProcs();
    installApplicationLayer();
    try {
        rt::start(splitCommandLine(e.modulePath, e.commandLine), main);
    } catch (...) {
        // A C++ exception is as fatal as a processor exception: report it and end orderly.
        handleCrash(kCppExceptionCode);
    }
    Terminate(1);
    // Back here only when a shutdown was already under way without its quit (TERMINATE(.F.)): finish it.
    return rt::quit();
}

}  // namespace vorpex
