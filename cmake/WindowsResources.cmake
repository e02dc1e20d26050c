# The Windows programs' own resources: icon, version and manifest. The icon is
# drawn on the build machine by tools/draw_icon (a host program, so it cannot be
# built in the cross build) and handed in as NOTARION_WINDOWS_ICON.
set(NOTARION_WINDOWS_ICON "" CACHE FILEPATH "The programs' icon (.ico), drawn by draw_icon --ico")
set(NOTARION_WINDOWS_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/notarion.manifest)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")

function(notarion_windows_resources target description)
  if(NOT WIN32 OR NOT TARGET ${target})
    return()
  endif()
  if(NOT NOTARION_WINDOWS_ICON)
    message(FATAL_ERROR "NOTARION_WINDOWS_ICON is not set: scripts/windows.sh draws it")
  endif()
  set(NOTARION_PROGRAM_NAME ${target})
  set(NOTARION_PROGRAM_DESCRIPTION "${description}")
  set(rc ${PROJECT_BINARY_DIR}/generated/windows/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES
    OBJECT_DEPENDS "${NOTARION_WINDOWS_ICON};${NOTARION_WINDOWS_MANIFEST}")
endfunction()
