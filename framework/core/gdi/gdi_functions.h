// Registers the drawing and message-box callables by name. Calling it again registers the same functions
// again.
#pragma once

namespace vorpex {

void registerGdiFunctions();
// The platform part: GDI wrappers and the framework's drawing helpers (Windows only; empty elsewhere).
void registerPlatformGdiFunctions();

}  // namespace vorpex
