// Typed Win32 helpers for modules, processes, folders, names and character sets. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorpex::win {

// Folders and names of any length: the buffer grows until the platform's answer fits; "" on failure.
std::string currentDirectory();
std::string windowsDirectory();
std::string systemDirectory();
std::string tempDirectory();  // with its final backslash
std::string longPathName(const std::string& path);
std::string shortPathName(const std::string& path);
std::string searchPath(const std::string* path, const std::string& file, const std::string* extension);
std::string moduleFileName(HMODULE module);
std::string tempFileName(const std::string& folder, const std::string& prefix, UINT unique);
std::string userName();
std::string computerName();
bool existsDirectory(const std::string& path);

// Drive letters with colon ("C:"), in letter order; with `type` non-zero only drives of that type.
std::vector<std::string> drives(UINT type = 0);

// Loads the library and calls its "DllRegisterServer" or "DllUnregisterServer": false when the library or
// the export is missing, or the export reports failure.
bool callRegistrationExport(const std::string& file, const char* exportName);

// Character sets: wide text in the system code page (precomposed); nothing when the conversion fails.
std::optional<std::wstring> ansiToWide(std::string_view text);
std::optional<std::string> wideToAnsi(std::wstring_view wide);
std::optional<std::string> utf8ToAnsi(std::string_view utf8);

// Processes started by `execute`. Their handles travel as numbers and are closed exactly once, when the
// process is seen ended or is killed; a number that is no open process of ours answers "not running".
intptr_t startProcess(const std::string& command, const std::string& folder, int show);
// Starts the command and waits for its end without a time limit; the exit code, 0 when it cannot start.
int64_t runProcess(const std::string& command, const std::string& folder, int show);
bool isRunning(intptr_t process);
bool killProcess(intptr_t process);

void outDebug(std::string_view text);

}  // namespace vorpex::win
