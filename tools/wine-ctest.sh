#!/usr/bin/env bash
# wine-ctest.sh BUILD_DIR [ctest args...]: runs a Windows build's tests under Wine on a display,
# with one persistent wineserver so each test process starts in a fraction of a second.
set -u
QX_BUILD_DIR=${1:?usage: wine-ctest.sh BUILD_DIR [ctest args...]}
shift
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
qx_wine_prefix
run() {
  wineserver -p
  # Start Wine's background services now, detached from ctest's pipes: started later by a test,
  # they would inherit its output pipe and keep ctest waiting for them.
  wine wineboot >/dev/null 2>&1 </dev/null
  ctest --test-dir "$QX_BUILD_DIR" --output-on-failure --timeout 300 "$@"
  local rc=$?
  wineserver -k 2>/dev/null
  return $rc
}
export -f run
export QX_BUILD_DIR
"$here/with-display.sh" bash -c 'run "$@"' run "$@"
