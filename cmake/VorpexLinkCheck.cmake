# vorpex_add_link_check(): where no test programs are built (the 32-bit Windows build), the GUI program
# vorpex_link_check links every static library of the project whole (--whole-archive), so each object file
# of each library must resolve every symbol it uses: what linking the test programs proved before, and more.
# Call it once, after every folder was added.
include_guard(GLOBAL)

# vorpex_collect_static_libraries(<dir> <out>): the project's static libraries in <dir> and below.
function(vorpex_collect_static_libraries dir out)
  set(found "")
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(source_dir ${target} SOURCE_DIR)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${source_dir}" ours)
    if(type STREQUAL "STATIC_LIBRARY" AND ours)
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    vorpex_collect_static_libraries("${subdir}" below)
    list(APPEND found ${below})
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(vorpex_add_link_check)
  if(VORPEX_BUILD_TESTS OR NOT VORPEX_WINDOWS OR NOT TARGET vorpex_framework)
    return()
  endif()
  vorpex_collect_static_libraries("${PROJECT_SOURCE_DIR}" libraries)
  add_executable(vorpex_link_check WIN32 "${PROJECT_SOURCE_DIR}/tools/link_check/link_check_main.cpp")
  set(whole "")
  foreach(library IN LISTS libraries)
    list(APPEND whole "$<TARGET_FILE:${library}>")
  endforeach()
  # The archives whole first; listed again plainly after, they bring their own dependencies and system
  # libraries in the order CMake works out.
  target_link_options(vorpex_link_check PRIVATE LINKER:--whole-archive ${whole} LINKER:--no-whole-archive)
  target_link_libraries(vorpex_link_check PRIVATE ${libraries})
endfunction()
