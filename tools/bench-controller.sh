#!/usr/bin/env bash
# Every controller operation on every connectable keyboard type with real sleeps, natively
# (Google Benchmark): x_floor is the elapsed time over the operation's own pauses.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset native >/dev/null && cmake --build --preset native --target controller_ops_bench >/dev/null
exec build/native/bench/controller/controller_ops_bench "$@"
