# Installing Notarion like a desktop program: the programs in bin/, their data
# (help pages) in share/notarion, a desktop entry, the icon, AppStream
# metadata and manual pages; and the Debian package built from these rules.
include(GNUInstallDirs)

# --- What the programs learn from the build ---------------------------------
# The installed program finds its help pages relative to its own folder, so
# the same files work under any prefix and in a DESTDIR staging folder.
# On Windows everything lies in the program's own folder, as a school expects
# of a program it installs or carries on a USB stick: the help pages beside the
# executable, the PDF companion too.
if(WIN32)
  set(CMAKE_INSTALL_BINDIR .)
  set(CMAKE_INSTALL_LIBEXECDIR .)
  set(NOTARION_DATA_DIR .)
  set(NOTARION_DATA_FROM_PROGRAM .)
else()
  set(NOTARION_DATA_DIR ${CMAKE_INSTALL_DATADIR}/notarion)
  file(RELATIVE_PATH NOTARION_DATA_FROM_PROGRAM
    ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${NOTARION_DATA_DIR})
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildInfo.h.in
  ${PROJECT_BINARY_DIR}/generated/app/BuildInfo.h @ONLY)
add_library(notarion_build_info INTERFACE)
target_include_directories(notarion_build_info INTERFACE ${PROJECT_BINARY_DIR}/generated)
target_link_libraries(notarion_app_core PUBLIC notarion_build_info)
if(TARGET notarion_platform)
  target_link_libraries(notarion_platform PUBLIC notarion_build_info)
endif()

# --- Install rules ----------------------------------------------------------
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(TARGET notarion-cli)
  install(TARGETS notarion-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET notarion-cli-pdf)
  install(TARGETS notarion-cli-pdf RUNTIME DESTINATION ${NOTARION_COMPANION_DIR})
endif()

if(TARGET notarion)
  install(TARGETS notarion RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/Pomoc
    DESTINATION ${NOTARION_DATA_DIR} FILES_MATCHING PATTERN "*.htm" PATTERN "*.png")
  if(NOT WIN32)
    add_subdirectory(${PROJECT_SOURCE_DIR}/packaging ${PROJECT_BINARY_DIR}/packaging)
  endif()
endif()
