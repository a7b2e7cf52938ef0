# The framework's compiled resources (cursors, bitmaps and icon) for the Windows builds: link the object library
# `vorpex_framework_rc` into every program and every test that loads them, or #include VORPEX_FRAMEWORK_RC in
# a program's own script (with VORPEX_CURSOR_DIR, VORPEX_BITMAP_DIR and VORPEX_ICON_DIR as include
# folders).
if(VORPEX_WINDOWS)
  set(framework_rc "${CMAKE_CURRENT_LIST_DIR}/framework.rc")
  set(VORPEX_FRAMEWORK_RC "${framework_rc}" CACHE INTERNAL "Resource script of the framework cursors and icon")
  add_library(vorpex_framework_rc OBJECT "${framework_rc}")
  target_include_directories(vorpex_framework_rc PRIVATE "${VORPEX_CURSOR_DIR}" "${VORPEX_BITMAP_DIR}" "${VORPEX_ICON_DIR}")
  add_dependencies(vorpex_framework_rc vorpex_cursors vorpex_bitmaps vorpex_icons)
  # windres reads the image files itself: rebuild when they change.
  set_source_files_properties("${framework_rc}" PROPERTIES OBJECT_DEPENDS "${VORPEX_CURSOR_FILES};${VORPEX_BITMAP_FILES};${VORPEX_ICON_FILES}")
endif()
