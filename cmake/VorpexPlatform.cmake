# Compiler settings shared by every target, and the VORPEX_WINDOWS switch that
# subdirectories use to skip Windows-only targets in the native configuration.

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(VORPEX_WINDOWS ON)
else()
  set(VORPEX_WINDOWS OFF)
endif()

find_program(VORPEX_CCACHE ccache)
if(VORPEX_CCACHE)
  set(launcher "${VORPEX_CCACHE}")
  find_program(VORPEX_ENV env)
  if(VORPEX_ENV)
    # Paths relative to the checkout, and no working folder in the hash even
    # with debug info: every clone on the machine then shares one cache.
    set(launcher "${VORPEX_ENV}" "CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}" CCACHE_NOHASHDIR=true "${VORPEX_CCACHE}")
  endif()
  set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()

add_compile_options(-Wall -Wextra)

# How much debug information Debug builds carry. Windows builds carry none: their tests run under Wine, where
# gdb is of little help, and linking the DWARF of the static libraries into every test program was two thirds
# of the win64 build's time (a test linked in 39 s with -g, 22 s without; its program shrank from 143 to
# 25 MB). Native builds keep full information for the sanitizers' reports and gdb. A developer chasing a fault
# under Wine configures with -DVORPEX_DEBUG_INFO=full.
if(VORPEX_WINDOWS)
  set(vorpex_debug_info_default none)
else()
  set(vorpex_debug_info_default full)
endif()
set(VORPEX_DEBUG_INFO ${vorpex_debug_info_default} CACHE STRING "Debug information in Debug builds: full (-g), lines (-g1) or none")
set_property(CACHE VORPEX_DEBUG_INFO PROPERTY STRINGS full lines none)
if(VORPEX_DEBUG_INFO STREQUAL "full")
  set(vorpex_debug_flag -g)
elseif(VORPEX_DEBUG_INFO STREQUAL "lines")
  set(vorpex_debug_flag -g1)
elseif(VORPEX_DEBUG_INFO STREQUAL "none")
  set(vorpex_debug_flag -g0)
else()
  message(FATAL_ERROR "VORPEX_DEBUG_INFO is full, lines or none, not '${VORPEX_DEBUG_INFO}'")
endif()
foreach(language C CXX)
  string(REGEX REPLACE "(^| )-g[0-9]*( |$)" " " CMAKE_${language}_FLAGS_DEBUG "${CMAKE_${language}_FLAGS_DEBUG}")
  string(STRIP "${CMAKE_${language}_FLAGS_DEBUG} ${vorpex_debug_flag}" CMAKE_${language}_FLAGS_DEBUG)
endforeach()

# The native test build runs under AddressSanitizer and UndefinedBehaviorSanitizer: the platform-neutral
# engine (tables, indexes, expressions) reads untrusted files, and these catch what a passing test hides.
# Benchmarks and fuzz targets pick their own instrumentation.
if(NOT VORPEX_WINDOWS AND NOT VORPEX_BENCH AND NOT VORPEX_FUZZ)
  set(vorpex_sanitize_default ON)
else()
  set(vorpex_sanitize_default OFF)
endif()
# Benchmarks measure the build a release would ship: optimized across translation units.
if(VORPEX_BENCH)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
endif()

option(VORPEX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ${vorpex_sanitize_default})
if(VORPEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(VORPEX_WINDOWS)
  # Windows 7 API level. UNICODE stays undefined: the programs use the ANSI
  # entry points and work in code page 1252.
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601)
  # Static runtime so an .exe runs with no mingw DLL beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(VORPEX_WINDOWS)
  enable_language(RC)
  # Pick static archives (libz.a, not libz.dll.a) so find_package/find_library
  # results keep the executables free of DLLs.
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
endif()

# Unity builds: each target compiles its sources in batches of eight, one translation unit a batch. Parsing the
# headers (<windows.h>, GoogleTest, the framework's own) was most of every file's compile time, and the inline
# and template code they bring was compiled again in each file. File-local helpers therefore carry names that
# differ between the files of a target. -DVORPEX_UNITY_BUILD=OFF compiles file by file.
option(VORPEX_UNITY_BUILD "Compile each target's sources in batches (unity build)" ON)
if(VORPEX_UNITY_BUILD)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
endif()
