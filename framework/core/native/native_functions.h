// Registers the native layer's callable functions by name (bits, hexadecimal, escapes, log, version tests
// and, on Windows, the window, system and utility wrappers). Calling it again registers the same functions
// again, so it is safe to call from every start-up path.
#pragma once

namespace vorpex {

void registerNativeFunctions();

// The platform part, defined by the Windows wrappers (and empty elsewhere).
void registerPlatformNativeFunctions();

}  // namespace vorpex
