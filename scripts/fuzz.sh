#!/usr/bin/env bash
# Builds the XML reader's fuzz target with clang (libFuzzer, address and
# undefined-behaviour sanitizers) and runs it. Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
for package in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || {
    sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q clang libclang-rt-14-dev
    break
  }
done
out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc \
  tests/fuzz/XmlReaderFuzz.cpp src/xml/*.cpp src/text/*.cpp -o "$out/xml_reader_fuzz"
# Seed the corpus with the sample school's reports and list file.
cp examples/szkola/* "$out/corpus/" 2>/dev/null || true
"$out/xml_reader_fuzz" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 \
  -artifact_prefix="$out/" "$out/corpus"
