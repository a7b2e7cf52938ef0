// LogError: "Error.log" in the current directory, rewritten for each reported error with the running
// program's state, and the program's exit code set to 1.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/core/error/error_report.h"

namespace vorpex::errsys {

// The program as it runs now: Application's file name and version, user, computer, clock, memory,
// current area, versions.
LogEnvironment currentEnvironment();
// Every work area 1..600 with a table open, in number order.
std::vector<AreaState> openAreas();

struct LogResult {
    std::string text;      // this error's log, kept whether or not the file could be written
    bool written = false;  // false when "Error.log" could not be created or written in full
};

inline constexpr const char* kLogFile = "Error.log";

LogResult LogError(const rt::Error& e, std::span<const rt::StackEntry> stack, const std::optional<Origin>& origin);

// Replaces `path` with `text`; false when it cannot be created or written in full.
bool writeLogFile(const std::string& path, const std::string& text);

}  // namespace vorpex::errsys
