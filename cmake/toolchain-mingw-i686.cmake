# Cross-compiling for Windows (i686) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORPEX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
