#!/usr/bin/env bash
# with-display.sh command...: runs the command with DISPLAY set. Uses the caller's display when
# there is one; otherwise starts Xvfb with a compositor (exact layered-window blending) and stops
# both when the command ends.
set -u
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
for n in $(seq 90 140); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
done
Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
xcompmgr >/dev/null 2>&1 &
comp=$!
"$@"
rc=$?
kill "$comp" "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $rc
