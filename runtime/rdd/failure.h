// Errors raised by the table engine. Inside the engine a failure travels as a C++ exception carrying the
// error record; the work-area layer hands it to the runtime's error handler at the API boundary, where a
// Default answer turns into a false result.
#pragma once
#include <string>

#include "runtime/core/error.h"

namespace rt::rdd {

struct Failure {
    Error error;
};

// Sub-codes of the DBFNTX driver, one per kind of failure.
namespace sub {
inline constexpr int Open = 1001, Create = 1004, Read = 1010, Write = 1011, Corruption = 1012, DataType = 1020,
                     DataWidth = 1021, Unlocked = 1022, Shared = 1023, AppendLock = 1024, ReadOnly = 1025,
                     NoTable = 1026, Arg = 1027, Unsupported = 1028;
}

Error makeError(int genCode, int subCode, std::string description, std::string filename = {}, int osCode = 0);
[[noreturn]] void fail(int genCode, int subCode, std::string description, std::string filename = {},
                       int osCode = 0);

}  // namespace rt::rdd
