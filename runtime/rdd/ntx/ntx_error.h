// Failures of the NTX layer. They carry what an error record needs (generic code, OS code, file name), so the
// order layer can hand them to the error handler as run-time errors without knowing the page details.
#pragma once

#include <stdexcept>
#include <string>

#include "runtime/core/error.h"

namespace rt::ntx {

class NtxError : public std::runtime_error {
public:
    NtxError(int genCode, std::string file, const std::string& what, int osCode = 0)
        : std::runtime_error(what), genCode_(genCode), osCode_(osCode), file_(std::move(file)) {}

    int genCode() const { return genCode_; }
    int osCode() const { return osCode_; }
    const std::string& file() const { return file_; }
    bool corrupt() const { return genCode_ == eg::Corruption; }

    // The run-time error record for the error handler.
    Error toError(std::string operation = {}) const {
        Error e;
        e.genCode = genCode_;
        e.subSystem = "DBFNTX";
        e.osCode = osCode_;
        e.description = what();
        e.operation = std::move(operation);
        e.filename = file_;
        // The program may go on without the order (and rebuild it): nothing was written wrong by the failure.
        e.canDefault = true;
        return e;
    }

private:
    int genCode_;
    int osCode_;
    std::string file_;
};

[[noreturn]] inline void throwCorrupt(const std::string& file, const std::string& why) {
    throw NtxError(eg::Corruption, file, "Corrupt index: " + why);
}

}  // namespace rt::ntx
