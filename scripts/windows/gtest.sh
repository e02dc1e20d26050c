#!/usr/bin/env bash
# Builds GoogleTest and GoogleMock for Windows (MinGW-w64) from Debian's own
# source tree into a cache folder outside the clone, once, and prints that
# folder.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
cache="${NOTARION_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/notarion}"

gtest_version="$(dpkg-query -W -f='${Version}' googletest)"
mingw_version="$(x86_64-w64-mingw32-g++-posix -dumpfullversion)"
key="$(sha256sum <"$0" | cut -c1-12)"
prefix="$cache/googletest-$gtest_version-mingw-$mingw_version-$key"

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
work="$cache/googletest-build-$key"
rm -rf "$work" "$prefix"
cmake -S /usr/src/googletest -B "$work" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF >"$cache/googletest.log" 2>&1
cmake --build "$work" >>"$cache/googletest.log" 2>&1
cmake --install "$work" >>"$cache/googletest.log" 2>&1
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
