// The stand-in "FreeImage.dll" (tools/freeimage_standin) on the DLL search path for one scope, so pictures
// load through it; outside the scope it cannot be found, which is a system without the library. The test's
// CMakeLists gives its folder as VORPEX_FREEIMAGE_DIR. Windows only.
#pragma once

#include <windows.h>

#include "tests/support/host_path.h"

namespace rt::testing {

class FreeImageOnPath {
public:
    FreeImageOnPath() { SetDllDirectoryA(windowsPath(VORPEX_FREEIMAGE_DIR).c_str()); }
    ~FreeImageOnPath() { SetDllDirectoryA(nullptr); }
    FreeImageOnPath(const FreeImageOnPath&) = delete;
    FreeImageOnPath& operator=(const FreeImageOnPath&) = delete;
};

}  // namespace rt::testing
