// The whole run of a program, behind the platform's entry routine: entry values, instance table, argument
// vector, the runtime with its start-up procedures and the main procedure, and the orderly end.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/core/runtime.h"

namespace vorpex {

struct ProgramEntry {
    intptr_t instance = 0;
    intptr_t previousInstance = 0;
    std::string commandLine;  // without the program name, as the C runtime passes it
    int showCommand = 0;
    std::string modulePath;   // the program's full file name: argument 0
};

// The entry values of this run.
const ProgramEntry& programEntry();

// Runs `main` under the runtime and shuts down through Terminate(1). Returns the exit code when Terminate
// did not end the process (a shutdown the program had already started, or a test's exit hook).
int runProgram(const ProgramEntry& entry, const rt::Procedure& main);

// TERMINATE([lQuit]) and GETINSTANCE([nIndex]) callable by name; idempotent.
void registerStartupFunctions();

}  // namespace vorpex
