#!/usr/bin/env bash
# Packs a Windows build: the installer Notarion-VERSION-instalator.exe (NSIS)
# and the portable copy Notarion-VERSION-przenosny.zip, one folder with the
# programs and the help pages. Usage: pack.sh BUILD
set -euo pipefail
build="$(cd "$1" && pwd)"
root="$(cd "$(dirname "$0")/../.." && pwd)"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"

stage="$build/stage/Notarion"
rm -rf "$build/stage"
cmake --install "$build" --prefix "$stage" >/dev/null
x86_64-w64-mingw32-strip "$stage"/*.exe

installer="$build/Notarion-$version-instalator.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" \
  -DICON="$build/notarion.ico" -DOUTFILE="$installer" "$root/packaging/windows/installer.nsi"

portable="$build/Notarion-$version-przenosny.zip"
rm -f "$portable"
(cd "$build/stage" && zip -qr "$portable" Notarion)
ls -l "$installer" "$portable"
