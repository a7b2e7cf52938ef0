// The diagnostic log "Log.txt": each call appends its pieces and one CR LF, and closes the file again, so a
// crash right after a call still leaves the line on disk.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <span>
#include <string_view>

namespace vorpex {

inline constexpr const char* kLogFileName = "Log.txt";

// Appends the pieces (no separator) and CR LF to `file`, creating it when missing. False when the file can
// be neither opened nor created.
bool appendLogLine(const std::filesystem::path& file, std::span<const std::string_view> pieces);

// LogFile: the same on "Log.txt" in the current directory.
bool logFile(std::initializer_list<std::string_view> pieces);

}  // namespace vorpex
