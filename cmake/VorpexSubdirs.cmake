include_guard(GLOBAL)

# Adds every immediate subfolder that has a CMakeLists.txt, in name order, so a
# new library, tool or program joins the build without editing its parent.
# CONFIGURE_DEPENDS makes an existing build folder notice a new subfolder.
function(vorpex_add_subdirectories)
  file(GLOB lists CONFIGURE_DEPENDS RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}"
       "${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt")
  list(SORT lists)
  foreach(list_file IN LISTS lists)
    get_filename_component(child "${list_file}" DIRECTORY)
    add_subdirectory(${child})
  endforeach()
endfunction()
