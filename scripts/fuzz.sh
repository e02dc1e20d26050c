#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, address and undefined-behaviour
# sanitizers) and runs them one after another on one core.
# Usage: scripts/fuzz.sh [seconds per target] [target ...]
# Targets: xml_reader_fuzz (the XML reader), list_file_fuzz (reading and
# writing a list file), generation_fuzz (the whole set from one report),
# report_json_fuzz (the JSON import of `report write`, then write, read and
# `show --json` again).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(xml_reader_fuzz list_file_fuzz generation_fuzz report_json_fuzz)
for package in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || {
    sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q clang libclang-rt-14-dev
    break
  }
done
out=build/fuzz
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Isrc -Itests)
# The system layer of this platform: its neutral files and the Posix ones.
core="src/text/*.cpp $(ls src/system/*.cpp | grep -v 'Windows\.cpp$' | tr '\n' ' ')"
sources_of() {
  case "$1" in
    xml_reader_fuzz) echo tests/fuzz/XmlReaderFuzz.cpp src/xml/*.cpp $core ;;
    list_file_fuzz) echo tests/fuzz/ListFileFuzz.cpp src/reports/*.cpp src/xml/*.cpp $core ;;
    generation_fuzz) echo tests/fuzz/GenerationFuzz.cpp src/generate/*.cpp src/reports/*.cpp \
                          src/xml/*.cpp $core ;;
    report_json_fuzz) echo tests/fuzz/ReportJsonFuzz.cpp src/cli/ReportJson.cpp \
                           src/cli/TerminalText.cpp src/reports/*.cpp src/xml/*.cpp $core ;;
    *) echo "unknown fuzz target: $1" >&2; exit 2 ;;
  esac
}
for target in "${targets[@]}"; do
  mkdir -p "$out/$target/corpus"
  # shellcheck disable=SC2046
  clang++ "${flags[@]}" $(sources_of "$target") -o "$out/$target/$target"
  # Seed the corpus with the sample school's reports and list file, and the
  # JSON target with the JSON forms of a report of each kind.
  if [ "$target" = report_json_fuzz ]; then
    cp tests/fuzz/report_json/* "$out/$target/corpus/"
  else
    cp examples/szkola/* "$out/$target/corpus/" 2>/dev/null || true
  fi
done
# One job in one worker process, so that a run takes a single core; the
# worker writes its log as fuzz-0.log in the target's folder.
for target in "${targets[@]}"; do
  (cd "$out/$target" && "./$target" -max_total_time="$seconds" -max_len=65536 \
    -rss_limit_mb=4096 -jobs=1 -workers=1 -print_final_stats=1 -artifact_prefix=./ corpus)
done
