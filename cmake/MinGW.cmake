# Cross-compiling for 64-bit Windows with Debian's MinGW-w64. The POSIX
# threading flavour is the one whose libstdc++ has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Look for libraries and headers only in the MinGW root and the folders the
# build names itself (the Qt and GoogleTest caches): the host's /usr/include
# holds glibc headers that break a Windows compile.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs carry the compiler's own runtime (libstdc++, libgcc, winpthread)
# inside them: a school copies one folder and needs no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
