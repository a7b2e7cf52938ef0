# Executables link with LLD when it is installed: the GNU linker spent 4 to 8 processor seconds on each test
# program (with debug information natively, static libraries under Windows), LLD about a third of that natively
# and a tenth under Windows, and each configuration links a hundred of them. Not used for
#   - link-time optimized builds (VORPEX_BENCH): LLD cannot read GCC's intermediate code;
#   - the DLL stand-ins: LLD 14 lacks --enable-stdcall-fixup, which their export files rely on;
#   - the 32-bit Windows build: it proves the GNU link that every release makes.
# -DVORPEX_LINK_WITH_LLD=OFF turns it off.
include_guard(GLOBAL)

set(vorpex_lld_default OFF)
if(NOT CMAKE_HOST_WIN32 AND NOT CMAKE_INTERPROCEDURAL_OPTIMIZATION AND NOT VORPEX_FUZZ
   AND (NOT VORPEX_WINDOWS OR CMAKE_SIZEOF_VOID_P EQUAL 8))
  find_program(VORPEX_LLD ld.lld)
  if(VORPEX_LLD)
    set(vorpex_lld_default ON)
  endif()
endif()
option(VORPEX_LINK_WITH_LLD "Link executables with LLD (native and 64-bit Windows builds)" ${vorpex_lld_default})

if(VORPEX_LINK_WITH_LLD AND NOT VORPEX_LLD)
  message(FATAL_ERROR "VORPEX_LINK_WITH_LLD is ON but ld.lld was not found")
elseif(VORPEX_LINK_WITH_LLD AND NOT VORPEX_WINDOWS)
  string(APPEND CMAKE_EXE_LINKER_FLAGS " -fuse-ld=lld")
elseif(VORPEX_LINK_WITH_LLD)
  # This toolchain's collect2 runs the GNU linker it was configured with, whatever -fuse-ld says: the driver
  # finds a collect2 of ours first (-B) that runs LLD.
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(driver_dir "${CMAKE_BINARY_DIR}/lld-driver")
  configure_file("${CMAKE_CURRENT_LIST_DIR}/collect2-lld.in" "${driver_dir}/collect2"
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
                 @ONLY)
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=libstdc++.a
                  OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND "${Python3_EXECUTABLE}" "${CMAKE_CURRENT_LIST_DIR}/libstdcxx_weak_aliases.py"
                          "${CMAKE_OBJDUMP}" "${libstdcxx}"
                  OUTPUT_VARIABLE aliases OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\n" " " aliases "${aliases}")
  string(APPEND CMAKE_EXE_LINKER_FLAGS " -B${driver_dir}/ ${aliases}")
endif()
