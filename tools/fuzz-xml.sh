#!/usr/bin/env bash
# Builds the XML reader's fuzzer with clang (libFuzzer + AddressSanitizer + UBSan) in a build
# folder of its own and runs it for the given number of seconds.
#   tools/fuzz-xml.sh [seconds=60] [build-dir=build/fuzz]
# The working corpus grows in <build-dir>/xml-corpus (seeded from fuzz/corpus/xml); crashing,
# hanging or leaking inputs land in <build-dir>/xml-findings/. Exit status is non-zero on a finding.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build/fuzz}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE= -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DQX_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target xml_fuzzer -j2

mkdir -p "$build/xml-corpus" "$build/xml-findings"
exec "$build/fuzz/xml_fuzzer" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -dict="$root/fuzz/xml.dict" -artifact_prefix="$build/xml-findings/" -print_final_stats=1 \
  "$build/xml-corpus" "$root/fuzz/corpus/xml"
