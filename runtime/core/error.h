// Run-time errors: an error record handed to the installed handler, which answers retry, default or break.
// A break is a C++ exception (Break) that unwinds to the nearest loop or to the program's start; it must never
// cross a Win32 callback (see pending_break.h).
#pragma once

#include <functional>
#include <string>

#include "value.h"

namespace rt {

// Generic error codes of the xBase runtime.
namespace eg {
inline constexpr int Arg = 1, Bound = 2, StrOverflow = 3, NumOverflow = 4, ZeroDiv = 5, NumErr = 6, Syntax = 7,
                     Complexity = 8, Mem = 11, NoFunc = 12, NoMethod = 13, NoVar = 14, NoAlias = 15,
                     NoVarMethod = 16, BadAlias = 17, DupAlias = 18, Create = 20, Open = 21, Close = 22, Read = 23,
                     Write = 24, Print = 25, Unsupported = 30, Limit = 31, Corruption = 32, DataType = 33,
                     DataWidth = 34, NoTable = 35, NoOrder = 36, Shared = 37, Unlocked = 38, ReadOnly = 39,
                     AppendLock = 40, Lock = 41;
}

namespace severity {
inline constexpr int Warning = 1, Error = 2, Catastrophic = 3;
}

struct Error {
    int genCode = 0;
    std::string subSystem = "BASE";
    int subCode = 0;
    int osCode = 0;
    int severity = severity::Error;
    std::string description;
    std::string operation;
    std::string filename;
    Value args;  // array of the operation's arguments, or NIL
    bool canRetry = false;
    bool canDefault = false;
    bool canSubstitute = false;
    int tries = 0;
    Value cargo;
};

enum class ErrorAction { Retry, Default, Break };

struct ErrorAnswer {
    ErrorAction action = ErrorAction::Break;
    Value value;  // the substituted or default result
};

using ErrorHandler = std::function<ErrorAnswer(Error&)>;

// Installs a handler and returns the previous one.
ErrorHandler setErrorHandler(ErrorHandler handler);
const ErrorHandler& errorHandler();

// The exception that carries a break out of the code that raised the error.
struct Break {
    Value value;
};

// Hands the error to the handler. Retry and Default are returned to the caller, which repeats or continues;
// Break throws Break. The default handler (installed until the program installs its own) reports to stderr
// and breaks.
ErrorAnswer raise(Error& e);

// The error of a message that the receiver's class does not have.
Error noMethodError(std::string_view message, Args args);

// Text of an error as one line, for logs and the default handler.
std::string describe(const Error& e);

}  // namespace rt
