# Sourced by the Wine scripts: a Wine prefix and a home folder inside the build tree, so neither
# the tests nor the demo ever touch the user's own prefix, home or Documents folder.
# Needs QX_BUILD_DIR (a Windows build folder).
: "${QX_BUILD_DIR:?QX_BUILD_DIR must name a Windows build folder}"
QX_BUILD_DIR=$(cd "$QX_BUILD_DIR" && pwd)
export HOME="$QX_BUILD_DIR/wine/home"
export WINEPREFIX="$QX_BUILD_DIR/wine/prefix"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"

# Creates the prefix once (about 7 s) and applies the settings the tests rely on.
qx_wine_prefix() {
  mkdir -p "$HOME"
  exec 8>"$QX_BUILD_DIR/wine/.lock"
  flock 8
  if [ ! -f "$WINEPREFIX/.qx-ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    # Without a window manager, Managed=N makes window destruction and keyboard focus behave.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # GDI text (menus, system message boxes) falls back to fonts that cover Latin and Chinese.
    for face in "Tahoma" "SimSun" "Microsoft YaHei" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Arial" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.qx-ready"
  fi
  flock -u 8
}
