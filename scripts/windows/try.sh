#!/usr/bin/env bash
# Tries the packed Windows programs under Wine as a school would use them: the
# installer installs silently into a fresh Wine prefix; the installed
# notarion-cli.exe writes the sample school's fourteen documents byte for byte
# as the Linux build does and a PDF whose text holds the Polish letters;
# notarion.exe shows its main window (a screenshot is kept); the portable copy
# does the same from a folder with a Polish name; the uninstaller removes it
# all. Usage: try.sh BUILD
set -euo pipefail
build="$(cd "$1" && pwd)"
root="$(cd "$(dirname "$0")/../.." && pwd)"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
fail() { echo "NIEUDANE: $*" >&2; exit 1; }

work="$build/try"
rm -rf "$work"
mkdir -p "$work"
export NOTARION_WINEPREFIX="$work/prefix"
wine_run() { "$root/scripts/windows/wine.sh" "$@"; }

# One display for everything Wine shows; the programs run there as on a desktop.
Xvfb :91 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; WINEPREFIX="$NOTARION_WINEPREFIX" wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=:91

echo "-- instalacja"
wine_run "$build/Notarion-$version-instalator.exe" /S
wineserver_wait() { WINEPREFIX="$NOTARION_WINEPREFIX" wineserver -w; }
wineserver_wait
# An administrator's install goes to Program Files (Wine's user is one), anyone
# else's to their own programs folder.
installed="$(find "$NOTARION_WINEPREFIX/drive_c" -maxdepth 6 -type d \
  \( -path '*/Program Files/Notarion' -o -path '*/AppData/Local/Programs/Notarion' \) | head -1)"
[ -n "$installed" ] && [ -f "$installed/notarion.exe" ] || fail "instalator nie zainstalował programu"
[ -f "$installed/Pomoc/index.htm" ] || fail "brak stron pomocy obok programu"

# The Linux build's documents are the reference.
cmake --build "$root/build/ci" --target notarion-cli >/dev/null
"$root/build/ci/bin/notarion-cli" generate "$root/examples/szkola" --out "$work/linux" \
  --decimal-separator , >/dev/null

check_programs() { # FOLDER-WITH-PROGRAMS NAME
  local programs=$1 name=$2
  echo "-- $name: dokumenty"
  cp -r "$root/examples/szkola" "$work/$name-szkola"
  wine_run "$programs/notarion-cli.exe" generate "$work/$name-szkola" --out "$work/$name-dokumenty" \
    --decimal-separator , >/dev/null
  diff -r "$work/linux" "$work/$name-dokumenty" >/dev/null \
    || fail "$name: dokumenty różnią się od dokumentów z Linuksa"
  echo "-- $name: PDF"
  wine_run "$programs/notarion-cli.exe" pdf "$work/$name-szkola" --out "$work/$name.pdf" \
    --decimal-separator , >/dev/null
  local text
  text="$(pdftotext "$work/$name.pdf" -)"
  grep -q "Klasyfikacja klasy" <<<"$text" || fail "$name: PDF bez tekstu dokumentów"
  grep -q "[ąęółśżźćń]" <<<"$text" || fail "$name: PDF bez polskich liter"
  echo "-- $name: okno główne"
  wine_run "$programs/notarion.exe" >/dev/null 2>&1 &
  local shown=""
  for _ in $(seq 60); do
    shown="$(xdotool search --onlyvisible --name Notarion 2>/dev/null | head -1 || true)"
    [ -n "$shown" ] && break
    sleep 1
  done
  [ -n "$shown" ] || fail "$name: okno główne się nie pokazało"
  sleep 2
  scrot -o "$work/$name-okno.png" || fail "$name: nie udało się zrobić zrzutu ekranu"
  WINEPREFIX="$NOTARION_WINEPREFIX" wineserver -k 2>/dev/null || true
  sleep 1
}

check_programs "$installed" instalacja

echo "-- kopia przenośna w folderze o polskiej nazwie"
portable="$work/Przenośny Zażółć"
mkdir -p "$portable"
(cd "$portable" && unzip -q "$build/Notarion-$version-przenosny.zip")
check_programs "$portable/Notarion" przenosna

echo "-- odinstalowanie"
wine_run "$installed/odinstaluj.exe" /S
wineserver_wait
sleep 2
[ ! -e "$installed/notarion.exe" ] || fail "odinstalowanie zostawiło program"
echo "Windows: wszystko działa pod Wine (zrzuty ekranu w $work)"
