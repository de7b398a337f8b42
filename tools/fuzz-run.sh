#!/usr/bin/env bash
# Builds one fuzzer with clang (libFuzzer + AddressSanitizer + UBSan) in a build folder of its own
# and runs it for the given number of seconds, at the lowest priority.
#   tools/fuzz-run.sh <xml|layout> [seconds=60] [build-dir=build/fuzz]
# The working corpus grows in <build-dir>/<name>-corpus (seeded from fuzz/corpus/<name>); crashing,
# hanging or leaking inputs land in <build-dir>/<name>-findings/. Exit status is non-zero on a
# finding. Extra libFuzzer options may follow in FUZZ_OPTIONS.
set -euo pipefail
name=${1:?usage: tools/fuzz-run.sh <xml|layout> [seconds] [build-dir]}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${3:-$root/build/fuzz}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE= -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DQX_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target "${name}_fuzzer" -j1

mkdir -p "$build/$name-corpus" "$build/$name-findings"
# Both targets read XML, so they share its dictionary.
exec nice -n 19 "$build/fuzz/${name}_fuzzer" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -dict="$root/fuzz/xml.dict" -artifact_prefix="$build/$name-findings/" -print_final_stats=1 \
  ${FUZZ_OPTIONS:-} "$build/$name-corpus" "$root/fuzz/corpus/$name"
