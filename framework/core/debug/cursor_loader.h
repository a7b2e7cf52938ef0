// The framework's cursor loader (the native LoadCursorA of the programs, under a name of its own so that it
// never collides with the system's): resource cursors follow the cursor-shadow setting, system cursors load
// the standard way. Every framework cursor load goes through it. Windows only.
#pragma once

#include <windows.h>

namespace vorpex::win {

// A named resource cursor (an instance given, or a name that is no numeric id) takes the image of its group
// that matches the shadow setting; when none qualifies, and for system cursors, LoadImage (default size,
// shared). Null when nothing could be loaded.
HCURSOR loadFrameworkCursor(HINSTANCE instance, LPCSTR name);

}  // namespace vorpex::win
