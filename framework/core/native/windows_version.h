// The Windows version tests. The version record comes from a replaceable source so that tests can ask
// "what if this were Windows 98 / XP / 10" whatever the prefix or machine reports.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "runtime/core/value.h"

namespace vorpex {

struct WindowsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platformId = 0;   // 1 Windows 9x, 2 NT family
    uint32_t productType = 0;  // 1 workstation, 2 domain controller, 3 server
    std::string servicePack;
};

using WindowsVersionSource = std::function<WindowsVersion()>;
// Replaces the source (an empty function restores the system's); returns the previous one.
WindowsVersionSource setWindowsVersionSource(WindowsVersionSource source);
WindowsVersion windowsVersion();
// What the system itself reports (platform id 0 where there is no Windows).
WindowsVersion systemWindowsVersion();

inline bool isWin9x(const WindowsVersion& v) { return v.platformId == 1; }
inline bool isWinNT(const WindowsVersion& v) { return v.platformId == 2; }
// "Vista or later": every caller wants the newer common controls and shell, which later versions keep.
inline bool isVistaOrLater(const WindowsVersion& v) { return v.platformId == 2 && v.major >= 6; }

// GETVERSIONEX: {major + minor / 100, build (low 16 bits), platform id, service-pack text}.
rt::Value versionArray(const WindowsVersion& v);

}  // namespace vorpex
