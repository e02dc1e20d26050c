#!/usr/bin/env bash
# Builds the Debian package notarion_VERSION_ARCH.deb in the top folder: an
# optimised build with Debian's hardening flags, installed under /usr and
# packed by CPack (dependencies found by dpkg-shlibdeps).
# Install it with: sudo apt install ./notarion_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=build/package
# Debian's flags: fortified functions, stack protector, read-only relocations.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake --preset release -B "$build" -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build"
rm -f notarion_*.deb
cpack --config "$build/CPackConfig.cmake" -B "$build/cpack"
mv "$build"/cpack/notarion_*.deb .
ls notarion_*.deb
