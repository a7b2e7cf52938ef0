// What the error handler says about an error, apart from windows, files and clocks: the silent decisions,
// the one-line description, the argument list, the message of the error form, its options and the whole
// text of "Error.log". Everything it needs from the running program comes in as plain values, so the texts
// are tested against fixed stacks, environments and work areas.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/core/error.h"
#include "runtime/core/frame.h"

namespace vorpex::errsys {

// What XsError does before anything is shown.
enum class Decision {
    Zero,      // a division by zero yields 0
    NetError,  // a sharing violation on open, or a failed append lock, that allows a default: NETERR, false
    Report,    // everything else: log, error form, retry / default / quit
};
Decision decide(const rt::Error& e);

// A call-stack name that belongs to the handler itself (ERRORSYS, __ERRRT, HBOBJECT).
bool isHandlerFrame(std::string_view name);

// Where the error says it happened, when it says so.
struct Origin {
    std::string procName;
    int procLine = 0;
};

// "Error DBFNTX/1001  Open error: empleado.dbf" (or "Warning ..." for severity 1).
std::string errorMessage(const rt::Error& e);
// " [ 1] = Type: C Val: abc" for each argument; "" without arguments.
std::string argumentsText(const rt::Error& e);

// The frames the report lists, outermost last: from the error's own frame (or frame 1 when it is not on the
// stack) outward, handler frames left out.
std::vector<rt::StackEntry> reportFrames(std::span<const rt::StackEntry> stack, const std::optional<Origin>& origin);

// The error form's message: where, what, the arguments, and the operating system's code when there is one.
std::string formMessage(const rt::Error& e, std::span<const rt::StackEntry> stack, const std::optional<Origin>& origin);

// "&Quit", then "&Retry" when the error allows retrying, "&Ignore" when it allows a default.
std::vector<std::string> options(const rt::Error& e);

// What the option chosen on the form (1-based, in the order `options` lists them; anything else is Quit)
// tells the handler to do. Decided by position, never by comparing translated texts.
enum class Choice { Quit, Retry, Ignore };
Choice choiceOf(int chosen, const rt::Error& e);

// The running program as the log describes it.
struct LogEnvironment {
    std::string exe, version, user, computer;
    std::string date, time;
    std::string freeMemory;
    int currentArea = 0;
    std::string frameworkVersion, runtimeVersion, compiler, platform;
};

// One open table.
struct AreaState {
    int number = 0;
    std::string alias;
    uint32_t recno = 0;
    std::string filter, relation;
    int order = 0;
    std::string key;
};

// The whole text of "Error.log", CR LF line ends.
std::string logText(const rt::Error& e, const LogEnvironment& env, std::span<const rt::StackEntry> stack,
                    const std::optional<Origin>& origin, std::span<const AreaState> areas);

// PadC as the log uses it: `text` centred in `width` characters of `fill`, the odd one on the right.
std::string centred(const std::string& text, size_t width, char fill);

}  // namespace vorpex::errsys
