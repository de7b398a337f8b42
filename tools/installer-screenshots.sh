#!/usr/bin/env bash
# installer-screenshots.sh [BUILD_DIR]: the installer's first page, and the program as installed by
# it on simulated keyboard 5, in a Wine prefix of their own (BUILD_DIR/wine/installer-shots).
# Writes BUILD_DIR/screenshots/installer_welcome.png and installed_main.png (default build/win64).
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/win64}" && pwd)
setup=$(ls "$build"/QxKB-Setup-*.exe 2>/dev/null | head -n1)
[ -n "$setup" ] || { echo "no QxKB-Setup-*.exe in $build: build the installer target first" >&2; exit 1; }
out="$build/screenshots"
mkdir -p "$out"

shots=$build/wine/installer-shots
export HOME="$shots/home" WINEPREFIX="$shots/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$HOME"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1

run() {
  local pid w version
  version=$(basename "$setup" .exe)
  version=${version#QxKB-Setup-}
  version=${version%-x??}
  # The first page: the installer started as a user would, its window waited for.
  wine "$setup" >/dev/null 2>&1 &
  pid=$!
  w=$(timeout 60 xdotool search --sync --name "^QxKB $version Setup\$" 2>/dev/null | head -n1)
  [ -n "$w" ] || { echo "no installer window" >&2; kill "$pid"; return 1; }
  # Mapped, then a moment for the page to paint.
  timeout 20 xdotool search --sync --onlyvisible --name "^QxKB $version Setup\$" >/dev/null
  sleep 1
  import -window root "$out/installer_welcome.png"
  echo "$out/installer_welcome.png"
  kill "$pid"
  wait "$pid" 2>/dev/null

  # The installed program.
  timeout 120 wine "$setup" /S || { echo "the silent install failed" >&2; return 1; }
  QXKB_SIMULATED_KEYBOARD=5 wine 'C:\Program Files\QxKB\QxKBDriver.exe' >/dev/null 2>&1 &
  pid=$!
  w=$(timeout 60 xdotool search --sync --onlyvisible --name '^QxKBMainDlg$' 2>/dev/null | head -n1)
  [ -n "$w" ] || { echo "no window of the installed program" >&2; kill "$pid"; return 1; }
  # The keyboard has been seen once its model is remembered.
  for _ in $(seq 100); do
    wine reg query 'HKCU\Software\QxKB' /v DevType >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 1
  import -window root "$out/installed_main.png"
  echo "$out/installed_main.png"
  kill "$pid"
  wait "$pid" 2>/dev/null
  wineserver -k 2>/dev/null
}
export -f run
export setup out
"$here/with-display.sh" bash -c run
