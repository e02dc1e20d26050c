# The libraries the programs link, found the same way for the Linux build and
# for the Windows cross build. Debian ships none of them for MinGW: Qt is built
# from Debian's source into a cache (scripts/windows/qt.sh), the JPEG decoder is
# Qt's bundled copy, and the header-only JSON library is used from Debian's
# headers copied alone, so that the host's /usr/include (glibc's headers) never
# reaches a Windows compile.

if(NOTARION_BUILD_UI)
  # A static Qt declares its platform libraries as targets that must exist
  # before any of our targets links them, so Qt is found first.
  find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport Test)
  # The build machine's resource compiler would pack with zstd, which the
  # Windows Qt is built without.
  if(CMAKE_CROSSCOMPILING)
    set(CMAKE_AUTORCC_OPTIONS --no-zstd)
  endif()
  if(WIN32)
    find_package(Qt6BundledLibjpeg REQUIRED)
    add_library(JPEG::JPEG INTERFACE IMPORTED)
    target_link_libraries(JPEG::JPEG INTERFACE Qt6::BundledLibjpeg)
    target_include_directories(JPEG::JPEG INTERFACE ${QT6_INSTALL_PREFIX}/include/notarion-jpeg)
  else()
    find_package(JPEG REQUIRED)
  endif()
endif()

if(CMAKE_CROSSCOMPILING)
  set(json_include ${PROJECT_BINARY_DIR}/thirdparty/include)
  file(COPY /usr/include/nlohmann DESTINATION ${json_include})
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${json_include})
else()
  find_package(nlohmann_json 3 REQUIRED)
endif()
