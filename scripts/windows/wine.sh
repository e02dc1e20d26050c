#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in the Wine prefix NOTARION_WINEPREFIX
# names (else one in the cache folder):
# the emulator CTest uses for the Windows tests, and the way windows.sh runs
# the installed programs. The prefix is made on first use.
set -euo pipefail
export WINEPREFIX="${NOTARION_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/notarion/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
fi
# One server kept for a minute after the last program, so that each of many
# short test runs does not start its own.
wineserver -p60 </dev/null >/dev/null 2>&1 || true
# Wine's own background programs (services, devices) start with the first
# program a server runs and live as long as the server. Started here, with no
# output of their own, they cannot hold a test's output open: CTest would wait
# for the server's minute to pass after the last test.
wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
exec wine "$@"
