#!/usr/bin/env bash
# screenshots.sh [BUILD_DIR]: the main window on each simulated keyboard (2, 3, 5, none) in
# English and Chinese, with keys hovered, clicked, frame-selected and a message popup showing.
# Writes BUILD_DIR/screenshots/main_<keyboard>_<language>.png (default build/win64).
set -u
here=$(cd "$(dirname "$0")" && pwd)
export QX_BUILD_DIR=${1:-$here/../build/win64}
source "$here/wine-env.sh"
qx_wine_prefix
out="$QX_BUILD_DIR/screenshots"
mkdir -p "$out"

shoot() { # keyboard language
  local kb=$1 lang=$2 w x y
  wine reg add 'HKCU\Software\QxKB' /v LCID /t REG_SZ /d "$lang" /f >/dev/null 2>&1
  QXKB_SIMULATED_KEYBOARD=$kb wine "$QX_BUILD_DIR/bin/QxKBDriver.exe" >/dev/null 2>&1 &
  for _ in $(seq 150); do w=$(xdotool search --name "^QxKBMainDlg$" 2>/dev/null | head -n1); [ -n "$w" ] && break; sleep 0.2; done
  [ -n "$w" ] || { echo "no window for $kb/$lang" >&2; return 1; }
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$w")"
  x=$X; y=$Y
  if [ "$kb" != none ]; then
    # A frame over a few keys, a clicked key, then the pointer resting on another key.
    xdotool mousemove $((x + 420)) $((y + 300)) mousedown 1 mousemove $((x + 470)) $((y + 330)) \
      mousemove $((x + 560)) $((y + 370)) mouseup 1
    sleep 0.5
    xdotool mousemove $((x + 700)) $((y + 310)) mousemove $((x + 702)) $((y + 311))
  else
    # The connection indicator without a keyboard asks for one.
    xdotool mousemove $((x + 862)) $((y + 49)) click 1
  fi
  sleep 1
  import -window root "$out/main_${kb}_${lang}.png"
  wine "$QX_BUILD_DIR/bin/qxkb-hotplug.exe" bogus >/dev/null 2>&1
  xdotool search --name "^QxKBMainDlg$" 2>/dev/null | head -n1 >/dev/null
  wineserver -k 2>/dev/null; sleep 1
  echo "$out/main_${kb}_${lang}.png"
}

run() {
  for kb in 5 3 2 none; do
    for lang in 1033 2052; do shoot "$kb" "$lang"; done
  done
}
export -f shoot run
export out
"$here/with-display.sh" bash -c run
