#!/usr/bin/env bash
# bench-keys.sh [BUILD_DIR]: timings of the running program's key menu under Wine, with ratios
# against a baseline taken in the same run (a key's hover repaint) and against the send's own
# pauses (a disabled case of app_key_functions_test).
set -u
here=$(cd "$(dirname "$0")" && pwd)
export QX_BUILD_DIR=${1:-$here/../build/win64}
source "$here/wine-env.sh"
qx_wine_prefix
run() {
  wineserver -p
  wine "$QX_BUILD_DIR/bin/app_key_functions_test.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='*DISABLED_Timing'
  local rc=$?
  wineserver -k 2>/dev/null
  return $rc
}
export -f run
export QX_BUILD_DIR
"$here/with-display.sh" bash -c run
