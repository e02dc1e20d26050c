#!/usr/bin/env bash
# Builds Qt for Windows (static, MinGW-w64) from Debian's own qt6-base source
# package into a cache folder outside the clone, once, and prints that folder.
# The folder's name holds everything that changes the result, so a changed
# option or compiler builds anew beside the old one.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
cache="${NOTARION_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/notarion}"
jobs="${NOTARION_JOBS:-$(nproc)}"

qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/[+-].*//')"
options=(
  -static -release -opensource -confirm-license -nomake tests -nomake examples
  -xplatform win32-g++ -qt-host-path /usr -no-opengl -no-dbus -no-icu -no-pkg-config
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-feature-sql
  -no-feature-network -no-feature-concurrent -no-feature-xml -no-feature-vulkan
  -no-feature-testlib_selfcover
)
mingw_version="$(x86_64-w64-mingw32-g++-posix -dumpfullversion)"
key="$(printf '%s\n' "${options[*]}" "$mingw_version" \
        | cat - "$0" "$here"/wintab/* | sha256sum | cut -c1-12)"
prefix="$cache/qt-$qt_version-mingw-$key"

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/qt-build-$key"
rm -rf "$work" "$prefix"
mkdir -p "$work"
cd "$work"

# deb-src entries made from the machine's own deb entries, so no host name is
# written here.
if ! apt-get source --download-only qt6-base="$(dpkg-query -W -f='${Version}' qt6-base-dev)" \
      >/dev/null 2>&1; then
  sources=/etc/apt/sources.list.d/notarion-deb-src.sources
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  for file in /etc/apt/sources.list.d/*.sources; do
    [ "$file" = "$sources" ] && continue
    sed -n 's/^Types: deb$/Types: deb-src/; p' "$file"
    echo
  done | "${sudo_cmd[@]}" tee "$sources" >/dev/null
  if [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
      | "${sudo_cmd[@]}" tee -a /etc/apt/sources.list.d/notarion-deb-src.list >/dev/null || true
  fi
  "${sudo_cmd[@]}" apt-get update -q >/dev/null
fi
apt-get source -q qt6-base="$(dpkg-query -W -f='${Version}' qt6-base-dev)" >/dev/null
source_dir="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)"

# Debian's source leaves out the tablet headers the Windows platform plugin
# includes; Wine's own copies serve, with a wrapper for its macros.
mkdir -p "$source_dir/src/3rdparty/wintab"
cp "$here"/wintab/* "$source_dir/src/3rdparty/wintab/"
cp /usr/include/wine/wine/windows/wintab.h "$source_dir/src/3rdparty/wintab/wine_wintab.h"
cp /usr/include/wine/wine/windows/pktdef.h "$source_dir/src/3rdparty/wintab/pktdef.h"

mkdir -p "$work/build"
cd "$work/build"
"$source_dir/configure" -prefix "$prefix" "${options[@]}" -- -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW.cmake" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CXX_FLAGS="-I$source_dir/src/3rdparty/wintab" >"$work/configure.log" 2>&1 \
  || { tail -40 "$work/configure.log" >&2; exit 1; }
cmake --build . --parallel "$jobs" >"$work/build.log" 2>&1 \
  || { grep -m5 -B2 -A8 'error' "$work/build.log" >&2; tail -20 "$work/build.log" >&2; exit 1; }
cmake --install . >"$work/install.log" 2>&1

# Qt's bundled JPEG decoder serves the skins too; its headers lie in the source.
mkdir -p "$prefix/include/notarion-jpeg"
cp "$source_dir"/src/3rdparty/libjpeg/src/{jpeglib.h,jmorecfg.h,jerror.h,jconfig.h} \
   "$prefix/include/notarion-jpeg/"

touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
