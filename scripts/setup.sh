#!/usr/bin/env bash
# Installs what Notarion needs to build, test and package on Debian 12, when
# missing. With "windows": also what the Windows build needs (scripts/windows.sh).
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  libgtest-dev libgmock-dev libbenchmark-dev
  libpugixml-dev
  qt6-base-dev qt6-translations-l10n libjpeg62-turbo-dev
  nlohmann-json3-dev
  xvfb xauth fonts-dejavu-core poppler-utils
  dpkg-dev desktop-file-utils appstream shared-mime-info lintian
)
if [ "${1:-}" = windows ]; then
  packages+=(
    g++-mingw-w64-x86-64-posix googletest libwine-dev
    wine wine64 nsis zip unzip xdotool openbox scrot
  )
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Instaluję brakujące pakiety: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi
