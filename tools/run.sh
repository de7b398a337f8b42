#!/usr/bin/env bash
# Builds what is missing and starts QxKBDriver.exe under Wine on a simulated keyboard.
# QXKB_SIMULATED_KEYBOARD picks the keyboards: 5 (default, the P74), 2, 3 or 6, several as "3,6",
# "none" for no keyboard, "hardware" for real keyboards through hidapi.
# Without a DISPLAY it runs on its own Xvfb and saves a screenshot after start-up.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ "$(id -u)" -eq 0 ]; then bash tools/install-deps.sh; elif command -v sudo >/dev/null; then sudo bash tools/install-deps.sh; fi

cmake --preset win64 >/dev/null
# A first build takes about a quarter of an hour: its progress is shown, one line per step.
echo "building the Windows program (build/win64)..."
cmake --build --preset win64 -j "${QX_JOBS:-2}" | stdbuf -oL tr "\r" "\n" |
  { grep --line-buffered -E "^\[[0-9]+/[0-9]+\]|error" | sed -u "s/ Building / /"; true; }
[ "${PIPESTATUS[0]}" -eq 0 ] || { echo "the build failed" >&2; exit 1; }
export QXKB_SIMULATED_KEYBOARD=${QXKB_SIMULATED_KEYBOARD-5}
export QX_BUILD_DIR="$root/build/win64"
source tools/wine-env.sh
qx_wine_prefix

exe="$QX_BUILD_DIR/bin/QxKBDriver.exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe"
fi

shots="$QX_BUILD_DIR/screenshots"
mkdir -p "$shots"
export exe shots
tools/with-display.sh bash -c '
  wine "$exe" &
  pid=$!
  for _ in $(seq 150); do xdotool search --name "^QxKBMainDlg$" >/dev/null 2>&1 && break; sleep 0.2; done
  sleep 1.5
  import -window root "$shots/startup.png"
  echo "screenshot after start-up: $shots/startup.png"
  echo "QxKB runs on display $DISPLAY (simulated keyboard: ${QXKB_SIMULATED_KEYBOARD:-hardware}); Ctrl-C stops it."
  trap "kill $pid 2>/dev/null; wineserver -k 2>/dev/null" INT TERM
  wait $pid
'
