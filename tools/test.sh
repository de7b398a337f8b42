#!/usr/bin/env bash
# Every test: the portable core natively under AddressSanitizer and UBSan, the 32-bit Windows
# build (compile and link only: there is no 32-bit Wine), and the 64-bit Windows build with its
# tests under Wine on a virtual display. Installs what is missing first.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${QX_JOBS:-2}

if [ "$(id -u)" -eq 0 ]; then
  bash tools/install-deps.sh || exit 1
elif command -v sudo >/dev/null; then
  sudo bash tools/install-deps.sh || exit 1
fi

logdir=build/test-logs
mkdir -p "$logdir"
status=0
passed=0
failed=0

count() { # ctest log: adds its totals
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n1)
  if [ -n "$line" ]; then
    local bad all
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    all=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + all - bad))
    failed=$((failed + bad))
  fi
}

step() { # name, command...
  local name=$1
  shift
  echo "== $name"
  if ! "$@"; then
    echo "!! $name failed"
    status=1
    return 1
  fi
}

build() { # preset [targets...]
  local preset=$1
  shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --preset "$preset" >"$logdir/configure-$preset.log" 2>&1 || { cat "$logdir/configure-$preset.log"; return 1; }
  cmake --build --preset "$preset" -j "$jobs" "${targets[@]}" >"$logdir/build-$preset.log" 2>&1 ||
    { grep -E 'error|Error' "$logdir/build-$preset.log" | head -40; return 1; }
}

if step "native build (ASan, UBSan)" build sanitize; then
  ctest --preset sanitize -j "$jobs" 2>&1 | tee "$logdir/ctest-sanitize.log" | grep -E 'tests passed|\*\*\*|\(Failed\)' || true
  count "$logdir/ctest-sanitize.log"
  grep -q ' 0 tests failed' "$logdir/ctest-sanitize.log" || status=1
fi

# The deliverables only, the installer included: their tests run in the 64-bit build.
step "win32 build (compile and link)" build win32 QxKBDriver qxkb-hotplug installer

if step "win64 build" build win64 all installer; then
  tools/wine-ctest.sh build/win64 2>&1 | tee "$logdir/ctest-win64.log" | grep -E 'tests passed|\*\*\*|\(Failed\)' || true
  count "$logdir/ctest-win64.log"
  grep -q ' 0 tests failed' "$logdir/ctest-win64.log" || status=1
fi

[ $status -eq 0 ] || echo "some steps failed: logs in $logdir"
echo "$passed passed, $failed failed"
exit $status
