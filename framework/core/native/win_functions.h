// The groups of Windows callables, registered by registerPlatformNativeFunctions(). Windows only.
#pragma once

namespace vorpex::win {

void registerWindowFunctions();
void registerSystemFunctions();
void registerUtilityFunctions();

}  // namespace vorpex::win
