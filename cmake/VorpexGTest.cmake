# GoogleTest built from source with the current toolchain, so the same tests
# compile natively and for Windows. Nothing is downloaded: Debian's googletest
# package ships the sources; elsewhere point VORPEX_GTEST_SOURCE_DIR at a
# googletest checkout, or install a GoogleTest package CMake can find.

set(VORPEX_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source folder")
set(VORPEX_HAVE_GTEST OFF)

if(EXISTS "${VORPEX_GTEST_SOURCE_DIR}/CMakeLists.txt")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory("${VORPEX_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/_deps/googletest" EXCLUDE_FROM_ALL)
  # Their warnings are not ours to fix.
  foreach(target gtest gmock)
    target_compile_options(${target} PRIVATE -w)
    if(NOT TARGET GTest::${target})
      add_library(GTest::${target} ALIAS ${target})
    endif()
  endforeach()
  set(VORPEX_HAVE_GTEST ON)
else()
  find_package(GTest QUIET)
  if(GTest_FOUND)
    set(VORPEX_HAVE_GTEST ON)
  else()
    message(WARNING "GoogleTest not found (set VORPEX_GTEST_SOURCE_DIR); tests are not built.")
  endif()
endif()
