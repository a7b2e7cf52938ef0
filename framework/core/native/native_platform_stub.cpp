// Where there is no Windows: no platform functions to register and no Windows version.
#include "framework/core/native/native_functions.h"
#include "framework/core/native/windows_version.h"

namespace vorpex {

void registerPlatformNativeFunctions() {}

WindowsVersion systemWindowsVersion() { return {}; }

}  // namespace vorpex
