#!/usr/bin/env bash
# qxkb natively: `qxkb apply` on a simulated type-5 keyboard against the pauses it takes
# (x_pauses), and the CPU time an idle `qxkb watch` on real udev spends in a minute.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset native >/dev/null && cmake --build --preset native -j2 --target qxkb qxkb_apply_bench >/dev/null
build/native/bench/qxkb/qxkb_apply_bench "$@"

# The udev monitor: the watcher must sleep in poll() without waking.
home=$(mktemp -d)
XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config build/native/bin/qxkb watch >"$home/out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$home"' EXIT
for _ in $(seq 100); do grep -q watching "$home/out" 2>/dev/null && break; sleep 0.1; done
if ! kill -0 $pid 2>/dev/null; then
  echo "watch could not start: $(cat "$home/out")"
  exit 1
fi
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(ticks)
sleep 60
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle qxkb watch (udev): $(( (after - before) * 1000 / hz )) ms CPU over 60 s"
