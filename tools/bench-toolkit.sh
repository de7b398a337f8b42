#!/usr/bin/env bash
# bench-toolkit.sh [BUILD_DIR]: builds and runs the toolkit paint benchmark under Wine on a
# display (default build folder build/win64-toolkit) and prints ms per frame with ratios.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/win64-toolkit}
cmake --build "$build" --target toolkit_paint_bench -j2 >/dev/null
bench=$(find "$build" -name toolkit_paint_bench.exe | head -n 1)
exec "$here/with-display.sh" "$here/wine-run.sh" "$build" "$bench"
