#include "runtime.h"

#include <algorithm>
#include <map>

#include "error.h"
#include "symbol.h"

namespace rt {

namespace {

struct StartupProc {
    std::string name;
    Procedure proc;
    int priority;
    size_t order;
};

struct ExitProc {
    std::string name;
    Procedure proc;
};

struct State {
    std::map<std::string, Value> publics;  // key: upper-case name
    Procedure errorSystem;
    std::vector<StartupProc> startup;
    std::vector<ExitProc> exits;
    std::vector<std::string> arguments;
    std::map<std::string, Function> functions;
    bool exitsDone = false;
    bool quitRequested = false;
    int exitCode = 0;
};

State& state() {
    static State* s = new State;  // outlives static destructors that may still read publics
    return *s;
}

}  // namespace

void declarePublic(std::string_view name) { state().publics.try_emplace(upper(name)); }

bool isPublic(std::string_view name) { return state().publics.count(upper(name)) != 0; }

Value& publicVar(std::string_view name) { return state().publics[upper(name)]; }

void clearPublics() { state().publics.clear(); }

void setErrorSystemProc(Procedure p) { state().errorSystem = std::move(p); }

void addStartupProc(std::string name, Procedure p, int priority) {
    auto& list = state().startup;
    list.push_back({std::move(name), std::move(p), priority, list.size()});
}

void addExitProc(std::string name, Procedure p) { state().exits.push_back({std::move(name), std::move(p)}); }

void start(const std::vector<std::string>& argv, const Procedure& main) {
    State& s = state();
    s.arguments.clear();
    for (size_t i = 1; i < argv.size(); ++i)
        if (argv[i].rfind("//", 0) != 0) s.arguments.push_back(argv[i]);
    try {
        if (s.errorSystem) s.errorSystem();
        auto procs = s.startup;
        std::stable_sort(procs.begin(), procs.end(),
                         [](const StartupProc& a, const StartupProc& b) { return a.priority < b.priority; });
        for (auto& p : procs) p.proc();
        if (main) main();
    } catch (Break&) {
        // A break that reaches the top ends the program's procedures; shutdown follows as usual.
    }
}

const std::vector<std::string>& arguments() { return state().arguments; }

int quit() {
    State& s = state();
    if (!s.exitsDone) {
        s.exitsDone = true;
        for (auto& e : s.exits) {
            try {
                e.proc();
            } catch (Break&) {
                // One failing exit procedure must not keep the others from closing files.
            }
        }
    }
    return s.exitCode;
}

bool exitProcsDone() { return state().exitsDone; }
void requestQuit() { state().quitRequested = true; }
bool quitRequested() { return state().quitRequested; }
void setExitCode(int code) { state().exitCode = code; }
int exitCode() { return state().exitCode; }

void registerFunction(std::string_view name, Function fn) { state().functions[upper(name)] = std::move(fn); }

const Function* findFunction(std::string_view name) {
    auto& f = state().functions;
    auto it = f.find(upper(name));
    return it == f.end() ? nullptr : &it->second;
}

void resetForTests() {
    State& s = state();
    s.publics.clear();
    s.exitsDone = false;
    s.quitRequested = false;
    s.exitCode = 0;
    s.arguments.clear();
}

}  // namespace rt
