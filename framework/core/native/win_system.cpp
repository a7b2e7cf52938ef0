#include "framework/core/native/win_system.h"

#include <map>
#include <mutex>

namespace vorpex::win {

namespace {

// Calls a platform function that fills a text buffer and answers either the length it copied or, when the
// buffer is too small, the size it needs. Never trusts a buffer the platform left undefined.
template <class F>
std::string grownText(F call) {
    std::vector<char> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD n = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(static_cast<size_t>(n) + 1);
    }
    return {};
}

// The process handles that `startProcess` gave out and that are still open.
class ProcessTable {
public:
    void add(HANDLE h) {
        std::lock_guard lock(mutex_);
        open_[reinterpret_cast<intptr_t>(h)] = h;
    }
    HANDLE find(intptr_t id) {
        std::lock_guard lock(mutex_);
        auto it = open_.find(id);
        return it == open_.end() ? nullptr : it->second;
    }
    void close(intptr_t id) {
        std::lock_guard lock(mutex_);
        auto it = open_.find(id);
        if (it == open_.end()) return;
        CloseHandle(it->second);
        open_.erase(it);
    }

private:
    std::mutex mutex_;
    std::map<intptr_t, HANDLE> open_;
};

ProcessTable& processes() {
    static ProcessTable table;
    return table;
}

HANDLE createProcess(const std::string& command, const std::string& folder, int show) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    std::vector<char> line(command.begin(), command.end());  // CreateProcessA may write into the line
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

}  // namespace

std::string currentDirectory() { return grownText([](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); }); }
std::string windowsDirectory() {
    return grownText([](char* b, DWORD n) { return GetWindowsDirectoryA(b, static_cast<UINT>(n)); });
}
std::string systemDirectory() {
    return grownText([](char* b, DWORD n) { return GetSystemDirectoryA(b, static_cast<UINT>(n)); });
}
std::string tempDirectory() { return grownText([](char* b, DWORD n) { return GetTempPathA(n, b); }); }

std::string longPathName(const std::string& path) {
    return grownText([&](char* b, DWORD n) { return GetLongPathNameA(path.c_str(), b, n); });
}
std::string shortPathName(const std::string& path) {
    return grownText([&](char* b, DWORD n) { return GetShortPathNameA(path.c_str(), b, n); });
}

std::string searchPath(const std::string* path, const std::string& file, const std::string* extension) {
    return grownText([&](char* b, DWORD n) {
        return SearchPathA(path ? path->c_str() : nullptr, file.c_str(), extension ? extension->c_str() : nullptr,
                           n, b, nullptr);
    });
}

// GetModuleFileNameA truncates instead of answering the size it needs: a full buffer means "grow".
std::string moduleFileName(HMODULE module) {
    std::vector<char> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD n = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size() - 1) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

std::string tempFileName(const std::string& folder, const std::string& prefix, UINT unique) {
    // The platform writes MAX_PATH bytes and needs room for its 14-character name part.
    if (folder.size() > MAX_PATH - 14) return {};
    char buffer[MAX_PATH + 1]{};
    if (!GetTempFileNameA(folder.c_str(), prefix.c_str(), unique, buffer)) return {};
    return buffer;
}

std::string userName() {
    std::vector<char> buffer(257);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = static_cast<DWORD>(buffer.size());
        if (GetUserNameA(buffer.data(), &size)) return std::string(buffer.data());
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        buffer.resize(std::max<size_t>(size, buffer.size() * 2));
    }
    return {};
}

// A host name may be longer than the classic 15 characters; on overflow the platform answers the size it
// needs and the call is made again.
std::string computerName() {
    std::vector<char> buffer(MAX_COMPUTERNAME_LENGTH + 1);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = static_cast<DWORD>(buffer.size());
        if (GetComputerNameA(buffer.data(), &size)) return std::string(buffer.data(), size);
        if (GetLastError() != ERROR_BUFFER_OVERFLOW) return {};
        buffer.resize(std::max<size_t>(static_cast<size_t>(size) + 1, buffer.size() * 2));
    }
    return {};
}

bool existsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> drives(UINT type) {
    std::vector<std::string> out;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        const std::string drive{static_cast<char>('A' + i), ':'};
        if (type != 0 && GetDriveTypeA((drive + "\\").c_str()) != type) continue;
        out.push_back(drive);
    }
    return out;
}

bool callRegistrationExport(const std::string& file, const char* exportName) {
    HMODULE module = LoadLibraryA(file.c_str());
    if (!module) return false;
    using Entry = HRESULT(WINAPI*)();
    auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, exportName)));
    const bool ok = entry && SUCCEEDED(entry());
    FreeLibrary(module);
    return ok;
}

std::optional<std::wstring> ansiToWide(std::string_view text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), size, wide.data(), n) != n) return std::nullopt;
    return wide;
}

namespace {
std::optional<std::string> fromWide(std::wstring_view wide, UINT codePage, DWORD flags) {
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::nullopt;
    std::string text(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), n, nullptr, nullptr) != n)
        return std::nullopt;
    return text;
}
}  // namespace

std::optional<std::string> wideToAnsi(std::wstring_view wide) { return fromWide(wide, CP_ACP, WC_COMPOSITECHECK); }

std::optional<std::string> utf8ToAnsi(std::string_view utf8) {
    if (utf8.empty()) return std::string();
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
    return fromWide(wide, CP_ACP, 0);
}

intptr_t startProcess(const std::string& command, const std::string& folder, int show) {
    HANDLE process = createProcess(command, folder, show);
    if (!process) return 0;
    processes().add(process);
    return reinterpret_cast<intptr_t>(process);
}

int64_t runProcess(const std::string& command, const std::string& folder, int show) {
    HANDLE process = createProcess(command, folder, show);
    if (!process) return 0;
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return static_cast<int32_t>(code);
}

// Asks the process object itself whether it has ended: an exit code of 259 (STILL_ACTIVE) is a real code a
// program may end with.
bool isRunning(intptr_t id) {
    HANDLE process = processes().find(id);
    if (!process) return false;
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) return true;
    processes().close(id);
    return false;
}

bool killProcess(intptr_t id) {
    HANDLE process = processes().find(id);
    if (!process) return false;
    const bool ok = TerminateProcess(process, static_cast<UINT>(-1)) != 0;
    processes().close(id);
    return ok;
}

void outDebug(std::string_view text) {
    std::string line(text);
    OutputDebugStringA(line.c_str());
}

}  // namespace vorpex::win
