// The graphics library's start-up: builds the classes TFont, TBrush, TPen, TCursor, TIcon and TImageList (so
// that they are callable by name, as the Screen object and the programs call them) and registers the graphics
// functions. Call it once before the application object is made; calling it again does no harm.
#pragma once

namespace vorpex {

void registerGraphics();
// The platform part: the Win32 function wrappers (empty where there is no Windows).
void registerPlatformGraphicsFunctions();

}  // namespace vorpex
