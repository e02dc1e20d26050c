#!/usr/bin/env bash
# The Windows build in one command: installs what is missing, builds Qt and
# GoogleTest for Windows once into a cache outside the clone, cross-builds
# every program and test with MinGW-w64 into build/windows, runs the tests
# under Wine, writes the installer and the portable copy, and tries both under
# Wine as a school would use them.
#   NOTARION_CACHE  the cache folder (default ~/.cache/notarion)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh windows

step() { echo "== $* ($(date +%T))"; }
export NOTARION_CACHE="${NOTARION_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/notarion}"

step "Qt i GoogleTest dla Windows"
qt="$(bash scripts/windows/qt.sh)"
gtest="$(bash scripts/windows/gtest.sh)"

# The icon is drawn by a program of the Linux build.
step "Ikona"
cmake --preset ci >/dev/null
cmake --build --preset ci --target draw_icon >/dev/null
mkdir -p build/windows
build/ci/tools/draw_icon/draw_icon --ico build/windows/notarion.ico

step "Budowa"
export NOTARION_WINDOWS_LIBRARIES="$qt;$gtest"
export NOTARION_WINDOWS_ICON="$PWD/build/windows/notarion.ico"
cmake --preset windows >/dev/null
cmake --build --preset windows

step "Testy pod Wine"
tests_failed=0
ctest --preset windows -j2 || tests_failed=1

step "Instalator i kopia przenośna"
bash scripts/windows/pack.sh build/windows

step "Próba pod Wine"
bash scripts/windows/try.sh build/windows
if [ "$tests_failed" -ne 0 ]; then
  echo "Instalator i kopia przenośna są gotowe, ale nie wszystkie testy przeszły pod Wine (wyżej)." >&2
  exit 1
fi
step "Gotowe"
