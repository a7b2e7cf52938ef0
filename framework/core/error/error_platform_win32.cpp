#include <windows.h>

#include "framework/core/error/error_platform.h"
#include "framework/core/native/win_system.h"
#include "framework/core/native/windows_version.h"

namespace vorpex::errsys {

namespace {

// Memory(0): the free physical memory in kilobytes.
std::string freeMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status)) return "0";
    return std::to_string(status.ullAvailPhys / 1024);
}

std::string platformText() {
    WindowsVersion v = windowsVersion();
    std::string s = "Windows " + std::to_string(v.major) + "." + std::to_string(v.minor) + " build " +
                    std::to_string(v.build);
    if (!v.servicePack.empty()) s += " " + v.servicePack;
    return s;
}

}  // namespace

PlatformFacts platformFacts() { return {win::userName(), win::computerName(), freeMemory(), platformText()}; }

}  // namespace vorpex::errsys
