// The runtime's process-wide state: public variables, start-up and exit procedures, functions callable by
// name, quit and break requests.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "value.h"

namespace rt {

// Public variables live for the run; reading an undeclared one gives NIL.
void declarePublic(std::string_view name);
bool isPublic(std::string_view name);
Value& publicVar(std::string_view name);
void clearPublics();

using Procedure = std::function<void()>;

// Start-up procedures run in priority order, then registration order; the error-system set-up runs first.
void setErrorSystemProc(Procedure p);
void addStartupProc(std::string name, Procedure p, int priority = 100);
void addExitProc(std::string name, Procedure p);

// Runs the error-system set-up, the start-up procedures and `main` under the runtime; a Break escaping
// `main` ends it. Exit procedures are not run here (see quit).
void start(const std::vector<std::string>& arguments, const Procedure& main);
// The program's arguments as given to start (element 0, the program, excluded), "//" switches removed.
const std::vector<std::string>& arguments();

// Runs the exit procedures once and answers the exit code.
int quit();
bool exitProcsDone();
void requestQuit();
bool quitRequested();
void setExitCode(int code);
int exitCode();

// Functions callable by name (key and filter expressions, the programs, macro calls).
using Function = std::function<Value(Args)>;
void registerFunction(std::string_view name, Function fn);
const Function* findFunction(std::string_view name);

// Resets the process state between tests.
void resetForTests();

}  // namespace rt
