#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: first the
# Linux build's, then the Windows leg (scripts/windows.sh: the programs
# cross-built with MinGW-w64, their tests under Wine, the installer and the
# portable copy tried under Wine). The first run builds Qt for Windows into a
# cache outside the clone; later runs reuse it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci
bash scripts/windows.sh
