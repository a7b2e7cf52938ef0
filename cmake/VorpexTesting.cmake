# vorpex_add_test() and vorpex_add_program(): the one way every folder adds
# test programs and GUI programs, so that each configuration treats them alike.
#
#   native            builds and registers tests, except WINDOWS_ONLY ones
#   Windows x86_64    builds and registers tests, except NATIVE_ONLY ones; when
#                     cross-compiling they run through scripts/wine-exec.sh
#   Windows i686      builds no tests (VORPEX_BUILD_TESTS is OFF there): this machine's Wine cannot run
#                     them, and the libraries and programs, with vorpex_link_check linking every library
#                     whole (cmake/VorpexLinkCheck.cmake), prove the 32-bit build compiles and links
#
# Test programs compile in unity batches like the libraries; NO_UNITY compiles one file by file, for test files
# that each keep a helper of the same name.
#
# vorpex_add_test_helper() adds a program that tests start (a probe, a driver); it is built where tests are.

include_guard(GLOBAL)

set(VORPEX_SCRIPTS_DIR "${CMAKE_CURRENT_LIST_DIR}/../scripts")
cmake_path(NORMAL_PATH VORPEX_SCRIPTS_DIR)
set(VORPEX_HARNESS_DIR "${CMAKE_CURRENT_LIST_DIR}/../tests/harness")
cmake_path(NORMAL_PATH VORPEX_HARNESS_DIR)
set(VORPEX_TEST_SUPPORT_DIR "${CMAKE_CURRENT_LIST_DIR}/../tests/support")
cmake_path(NORMAL_PATH VORPEX_TEST_SUPPORT_DIR)

# Tests run here unless they are 32-bit Windows programs on a non-Windows host:
# this machine's Wine runs only the 64-bit loader.
if(VORPEX_WINDOWS AND NOT CMAKE_HOST_WIN32 AND NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VORPEX_RUN_TESTS OFF)
else()
  set(VORPEX_RUN_TESTS ON)
endif()

# Building test programs that cannot run would only compile every test a second time.
option(VORPEX_BUILD_TESTS "Build the test programs" ${VORPEX_RUN_TESTS})

if(VORPEX_HAVE_GTEST AND VORPEX_BUILD_TESTS AND NOT TARGET vorpex_test_main)
  add_library(vorpex_test_main STATIC "${VORPEX_HARNESS_DIR}/test_main.cpp")
  target_link_libraries(vorpex_test_main PUBLIC GTest::gtest)
endif()

function(vorpex_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 T "NATIVE_ONLY;WINDOWS_ONLY;NO_UNITY" "TIMEOUT" "SOURCES;LIBS;ARGS")
  if(T_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vorpex_add_test(${name}): unknown arguments ${T_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT T_SOURCES)
    message(FATAL_ERROR "vorpex_add_test(${name}): SOURCES is required")
  endif()
  if(T_NATIVE_ONLY AND T_WINDOWS_ONLY)
    message(FATAL_ERROR "vorpex_add_test(${name}): NATIVE_ONLY and WINDOWS_ONLY exclude each other")
  endif()
  if(NOT VORPEX_HAVE_GTEST OR NOT VORPEX_BUILD_TESTS)
    return()
  endif()
  if((T_WINDOWS_ONLY AND NOT VORPEX_WINDOWS) OR (T_NATIVE_ONLY AND VORPEX_WINDOWS))
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()

  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE vorpex_test_main GTest::gtest GTest::gmock ${T_LIBS})
  if(T_NO_UNITY)
    set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)  # its files keep same-named helpers of their own
  endif()

  if(NOT VORPEX_RUN_TESTS)
    return()
  endif()
  if(VORPEX_WINDOWS AND NOT CMAKE_HOST_WIN32)
    add_test(NAME ${name}
             COMMAND bash "${VORPEX_SCRIPTS_DIR}/wine-exec.sh" "$<TARGET_FILE:${name}>" ${T_ARGS})
    set(label wine)
  else()
    add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
    set(label native)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS ${label}
    ENVIRONMENT "VORPEX_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# vorpex_add_test_helper(<name> [WIN32] SOURCES ... [LIBS ...]): a program that tests start as a child
# process or hand to a script, built only where test programs are.
function(vorpex_add_test_helper name)
  cmake_parse_arguments(PARSE_ARGV 1 H "WIN32" "" "SOURCES;LIBS")
  if(H_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vorpex_add_test_helper(${name}): unknown arguments ${H_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT H_SOURCES)
    message(FATAL_ERROR "vorpex_add_test_helper(${name}): SOURCES is required")
  endif()
  if(NOT VORPEX_BUILD_TESTS)
    return()
  endif()
  if(H_WIN32)
    add_executable(${name} WIN32 ${H_SOURCES})
  else()
    add_executable(${name} ${H_SOURCES})
  endif()
  if(H_LIBS)
    target_link_libraries(${name} PRIVATE ${H_LIBS})
  endif()
endfunction()

# A Win32 GUI program (-mwindows). Programs are Windows-only: in the native
# configuration this does nothing.
function(vorpex_add_program name)
  cmake_parse_arguments(PARSE_ARGV 1 P "" "" "SOURCES;LIBS;RC")
  if(P_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vorpex_add_program(${name}): unknown arguments ${P_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT VORPEX_WINDOWS)
    return()
  endif()
  add_executable(${name} WIN32 ${P_SOURCES} ${P_RC})
  target_link_libraries(${name} PRIVATE ${P_LIBS} user32 gdi32 comctl32)
endfunction()

# vorpex_add_workbook_test(<name> SCRIPT <file.py> PROGRAM <test target>): a Python test that runs one test of
# the Wine test program, which saves a workbook through the spreadsheet stand-in, and reads it back under
# Linux with an independent reader (python3-openpyxl; tests/support/wine_workbook.py).
function(vorpex_add_workbook_test name)
  cmake_parse_arguments(PARSE_ARGV 1 W "" "SCRIPT;PROGRAM" "")
  if(NOT TARGET ${W_PROGRAM} OR NOT VORPEX_RUN_TESTS OR CMAKE_HOST_WIN32)
    return()
  endif()
  find_program(VORPEX_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
  add_test(NAME ${name}
           COMMAND "${VORPEX_PYTHON}" "${CMAKE_CURRENT_SOURCE_DIR}/${W_SCRIPT}"
                   "${VORPEX_SCRIPTS_DIR}/wine-exec.sh" "$<TARGET_FILE:${W_PROGRAM}>"
                   "${CMAKE_CURRENT_BINARY_DIR}/${name}-scratch")
  set_tests_properties(${name} PROPERTIES
    TIMEOUT 180 LABELS wine
    ENVIRONMENT "VORPEX_BUILD_DIR=${CMAKE_BINARY_DIR};PYTHONPATH=${VORPEX_TEST_SUPPORT_DIR}")
endfunction()

# vorpex_use_pdf_and_mail_standins(<test target>): the IMAGE2PDF.DLL and MAPI32.DLL stand-ins copied beside
# the Windows test program, and Wine told to load the MAPI stand-in before its own.
function(vorpex_use_pdf_and_mail_standins target)
  if(NOT TARGET ${target})
    return()
  endif()
  add_dependencies(${target} vorpex_image2pdf_standin vorpex_mapi_standin)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vorpex_image2pdf_standin> $<TARGET_FILE_DIR:${target}>
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:vorpex_mapi_standin> $<TARGET_FILE_DIR:${target}>)
  if(VORPEX_RUN_TESTS)
    set_property(TEST ${target} APPEND PROPERTY ENVIRONMENT "VORPEX_WINE_DLL_OVERRIDES=mapi32=n,b")
  endif()
endfunction()

# vorpex_add_pdf_export_test(<name> PROGRAM <test target> FILTER <gtest filter> PAGES <n> [INK]): runs the
# filtered tests of a Windows test program that uses the stand-ins, then reads the PDF they exported back
# under Linux with the PDF tools (tests/support/pdf_export_check.sh): its page count, and with INK page 1's
# pixels.
function(vorpex_add_pdf_export_test name)
  cmake_parse_arguments(PARSE_ARGV 1 P "INK" "PROGRAM;FILTER;PAGES" "")
  if(NOT TARGET ${P_PROGRAM} OR NOT VORPEX_RUN_TESTS OR CMAKE_HOST_WIN32)
    return()
  endif()
  set(ink "")
  if(P_INK)
    set(ink --ink)
  endif()
  add_test(NAME ${name}
           COMMAND bash "${VORPEX_TEST_SUPPORT_DIR}/pdf_export_check.sh" "$<TARGET_FILE:${P_PROGRAM}>"
                   "${P_FILTER}" ${P_PAGES} ${ink})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS wine SKIP_RETURN_CODE 77
    ENVIRONMENT "VORPEX_BUILD_DIR=${CMAKE_BINARY_DIR};VORPEX_WINE_DLL_OVERRIDES=mapi32=n,b")
endfunction()
