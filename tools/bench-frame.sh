#!/usr/bin/env bash
# The lighting-frame benchmark natively (Google Benchmark) and under Wine (timing program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset native >/dev/null && cmake --build --preset native --target frame_bench >/dev/null
echo "== native"
build/native/bench/device/frame_bench
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target qxkb-frame-timing >/dev/null
echo "== Wine"
tools/wine-run.sh build/win64 build/win64/bin/qxkb-frame-timing.exe 25
