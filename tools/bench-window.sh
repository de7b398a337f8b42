#!/usr/bin/env bash
# bench-window.sh [BUILD_DIR] [IDLE_SECONDS]: the main window's benchmarks under Wine, each
# against a bare 1060 x 720 window that paints one background image, measured in the same run:
#   - start-up to the first painted frame on a simulated P74, and peak memory;
#   - a hover repaint of one effect button and a full repaint;
#   - a real click on a key to the painted key-function menu, and a choice to the end of the
#     type-5 send against the send's own pauses;
#   - CPU time while idle (the program hidden in the tray), read from /proc, since Wine reports
#     no times for other processes. QX_SKIP_TIMING=1 runs the idle measurement alone.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/win64}
idle=${2:-60}
cmake --build "$build" --target qxkb-window-bench -j2 >/dev/null || exit 1

measure() {
  set -u
  local bin=$build/bin
  if [ -z "${QX_SKIP_TIMING:-}" ]; then
  echo "== start-up"
  "$here/wine-run.sh" "$build" "$bin/qxkb-window-bench.exe" start 7 2>/dev/null
  echo "== paint"
  "$here/wine-run.sh" "$build" "$bin/qxkb-window-bench.exe" paint 50 2>/dev/null
  echo "== key-function menu"
  "$here/wine-run.sh" "$build" "$bin/qxkb-window-bench.exe" keys 7 2>/dev/null
  fi

  echo "== idle ${idle} s"
  export QX_BUILD_DIR=$build
  source "$here/wine-env.sh"
  qx_wine_prefix
  # wine becomes the program's own process, so $! is the process whose CPU time is read.
  QXKB_SIMULATED_KEYBOARD=5 wine "$bin/QxKBDriver.exe" >/dev/null 2>&1 &
  local pp=$!
  wine "$bin/qxkb-bare-window.exe" >/dev/null 2>&1 &
  local bp=$!
  local main bare
  main=$(timeout 60 xdotool search --sync --onlyvisible --name '^QxKBMainDlg$' | head -n1)
  bare=$(timeout 60 xdotool search --sync --onlyvisible --name '^QxKBBareWindow$' | head -n1)
  if [ -z "$main" ] || [ -z "$bare" ]; then
    echo "the windows did not appear"
    kill "$pp" "$bp" 2>/dev/null
    return 1
  fi
  # The close button (client 991, 49) hides the window into the tray, clicked like a user.
  xdotool mousemove --window "$main" 991 49 click 1
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^QxKBMainDlg$' >/dev/null 2>&1 || break
    sleep 0.1
  done
  local hidden=yes
  xdotool search --onlyvisible --name '^QxKBMainDlg$' >/dev/null 2>&1 && hidden=no
  local sp="" pid
  # This prefix's wineserver: other prefixes may have their own running.
  for pid in $(pgrep -x 'wineserver(64)?'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && sp=$pid
  done
  ticks() { # utime + stime of a process, in clock ticks
    if [ -n "$1" ] && [ -r "/proc/$1/stat" ]; then awk '{print $14 + $15}' "/proc/$1/stat"; else echo 0; fi
  }
  sleep 2  # start-up's last messages settle before the measured span
  local p0 b0 s0 p1 b1 s1 hz
  p0=$(ticks "$pp"); b0=$(ticks "$bp"); s0=$(ticks "$sp")
  sleep "$idle"
  p1=$(ticks "$pp"); b1=$(ticks "$bp"); s1=$(ticks "$sp")
  hz=$(getconf CLK_TCK)
  echo "program hidden in the tray: $hidden; measured: $(cat /proc/$pp/comm), $(cat /proc/$bp/comm), wineserver $sp"
  echo "CPU over ${idle} s: program $(( (p1 - p0) * 1000 / hz )) ms, bare window $(( (b1 - b0) * 1000 / hz )) ms," \
       "wineserver (both) $(( (s1 - s0) * 1000 / hz )) ms"
  kill "$pp" "$bp" 2>/dev/null
}
export -f measure
export build here idle
exec "$here/with-display.sh" bash -c measure
