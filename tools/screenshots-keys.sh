#!/usr/bin/env bash
# screenshots-keys.sh [BUILD_DIR]: the real program's key menu with an open submenu, the key
# combination, macro choice and colour popups, and the macro editor during and after a recording,
# in English and Chinese. Writes BUILD_DIR/screenshots/{keys_menu,keys_combination,
# keys_macro_choice,keys_colour,macro_recording,macro_recorded}_{1033,2052}.png (default
# build/win64). The shots are taken by a disabled case of app_key_macros_test.
set -u
here=$(cd "$(dirname "$0")" && pwd)
export QX_BUILD_DIR=${1:-$here/../build/win64}
source "$here/wine-env.sh"
qx_wine_prefix
run() {
  wineserver -p
  wine "$QX_BUILD_DIR/bin/app_key_macros_test.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='KeyScreenshots.*'
  local rc=$?
  wineserver -k 2>/dev/null
  ls "$QX_BUILD_DIR"/screenshots/keys_*.png "$QX_BUILD_DIR"/screenshots/macro_*.png 2>/dev/null
  return $rc
}
export -f run
export QX_BUILD_DIR
"$here/with-display.sh" bash -c run
