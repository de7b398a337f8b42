#!/usr/bin/env bash
# installer_test.sh SETUP.exe PROBE.exe VERSION STAGE_DIR WORK_DIR
# The installer in a fresh Wine prefix: a silent install, the installed program on a simulated
# keyboard until its window, settings and database exist, an update over that install, a silent
# uninstall as Add/Remove Programs runs it. The user's settings must survive both, and nothing of
# the program may remain after the uninstall except a file the user put into its folder.
set -u
setup=${1:?SETUP.exe} probe=${2:?PROBE.exe} version=${3:?VERSION} stage=${4:?STAGE_DIR} work=${5:?WORK_DIR}

failures=0
check() { # description command...: counts a failure when the command fails
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
die() { echo "FAILED: $*"; exit 1; }

# A prefix of its own, created here, with its own home (Documents lives there).
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
unset QXKB_WIRE_LOG
trap 'wineserver -k 2>/dev/null' EXIT
timeout 120 wineboot -i >/dev/null 2>&1 || die "creating the prefix"
timeout 60 wineserver -w

c="$WINEPREFIX/drive_c"
instdir="$c/Program Files/QxKB"
wininst='C:\Program Files\QxKB'
shortcut="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/QxKB.lnk"
uninst_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QxKB'
documents=$(find -L "$c/users" -mindepth 2 -maxdepth 2 -name Documents ! -path '*/Public/*' | head -n1)
[ -n "$documents" ] || die "no Documents folder in the new prefix"

# Every file the installer ships, from the build's staging folder.
mapfile -t shipped < <(cd "$stage" && find . -type f | sed 's|^\./||' | sort)
[ "${#shipped[@]}" -gt 10 ] || die "staging folder $stage lists ${#shipped[@]} files"
for must in QxKBDriver.exe QxUI.dll KeyboardLayout.xml font/Arial.ttf skins/theme1/font/Arial.ttf \
            skins/theme1/QxKBDriver.ico licenses/fonts-wqy-microhei-copyright.txt \
            licenses/fonts-open-sans-copyright.txt licenses/Apache-2.0.txt; do
  printf '%s\n' "${shipped[@]}" | grep -qx "$must" || die "the installer would not ship $must"
done

reg_key() { # key: its values as reg query lists them (one Wine start for all of them)
  wine reg query "$1" 2>/dev/null | tr -d '\r'
}
value_of() { # listing value: the value's data, or nothing when it is missing
  sed -nE "s/^ +$2 +REG_[A-Z_]+ +//p" <<<"$1"
}
all_installed() {
  local f
  for f in "${shipped[@]}"; do [ -f "$instdir/$f" ] || { echo "missing: $f"; return 1; }; done
  [ -f "$instdir/uninstall.exe" ] && [ -f "$shortcut" ]
}
none_installed() {
  local f left=0
  for f in "${shipped[@]}" uninstall.exe; do [ -e "$instdir/$f" ] && { echo "left: $f"; left=1; }; done
  [ -e "$shortcut" ] && { echo "left: the Start-menu shortcut"; left=1; }
  return $left
}
# The user's settings: the registry values as exported, and every database file's checksum.
settings_snapshot() {
  rm -f "$work/settings.reg"
  wine reg export 'HKCU\SOFTWARE\QxKB' "Z:${work//\//\\}\\settings.reg" /y >/dev/null 2>&1 || echo "no HKCU\\SOFTWARE\\QxKB"
  [ -f "$work/settings.reg" ] && iconv -f UTF-16LE -t UTF-8 "$work/settings.reg" | tr -d '\r' | grep -v '^\s*$'
  (cd "$documents/QxKB Files/db" 2>/dev/null && md5sum -- *.db) || echo "no database"
}
same() { [ "$1" = "$2" ] || { diff <(echo "$1") <(echo "$2"); return 1; }; }

echo "== silent install of $(basename "$setup")"
timeout 120 wine "$setup" /S
check "the installer exits with 0" test $? -eq 0
entry=$(reg_key "$uninst_key")
check "every shipped file, the uninstaller and the Start-menu shortcut are installed" all_installed
check "the installed program is the staged one" cmp -s "$instdir/QxKBDriver.exe" "$stage/QxKBDriver.exe"
check "Add/Remove Programs: DisplayName" test "$(value_of "$entry" DisplayName)" = "QxKB"
check "Add/Remove Programs: DisplayVersion $version" test "$(value_of "$entry" DisplayVersion)" = "$version"
check "Add/Remove Programs: Publisher" test "$(value_of "$entry" Publisher)" = "QxKB"
check "Add/Remove Programs: InstallLocation" test "$(value_of "$entry" InstallLocation)" = "$wininst"
check "Add/Remove Programs: UninstallString" test "$(value_of "$entry" UninstallString)" = "\"$wininst\\uninstall.exe\""
quiet=$(value_of "$entry" QuietUninstallString)
check "Add/Remove Programs: QuietUninstallString" test "$quiet" = "\"$wininst\\uninstall.exe\" /S"
check "Add/Remove Programs: DisplayIcon" test "$(value_of "$entry" DisplayIcon)" = "$wininst\\QxKBDriver.exe,0"
size_kb=$(( $(value_of "$entry" EstimatedSize) ))
actual_kb=$(du -sk --apparent-size "$instdir" | cut -f1)
check "Add/Remove Programs: EstimatedSize $size_kb KB near the folder's $actual_kb KB" \
  test "$size_kb" -gt $((actual_kb * 9 / 10)) -a "$size_kb" -lt $((actual_kb * 11 / 10))

echo "== the installed program on simulated keyboard 5"
check "no settings before the first start" bash -c "! wine reg query 'HKCU\SOFTWARE\QxKB' >/dev/null 2>&1"
QXKB_SIMULATED_KEYBOARD=5 timeout 150 wine "$probe" "$wininst\\QxKBDriver.exe" 40
check "main window shown, settings and database stored, orderly exit with 0" test $? -eq 0
before=$(settings_snapshot)
echo "$before"
check "the run stored LCID and DevType" grep -q '"DevType"' <<<"$before"
check "the run stored a database" grep -q '\.db$' <<<"$before"

echo "== update over the existing install"
# As an older install would have it: another version in the entry, a different layout file.
wine reg add "$uninst_key" /v DisplayVersion /t REG_SZ /d 0.9 /f >/dev/null 2>&1
echo "<old/>" >"$instdir/KeyboardLayout.xml"
timeout 120 wine "$setup" /S
check "the update exits with 0" test $? -eq 0
check "the update writes the current files" cmp -s "$instdir/KeyboardLayout.xml" "$stage/KeyboardLayout.xml"
check "the update writes the current version" test "$(value_of "$(reg_key "$uninst_key")" DisplayVersion)" = "$version"
check "every file is installed after the update" all_installed
check "the update keeps the settings and the database" same "$before" "$(settings_snapshot)"

echo "== update while the program runs"
QXKB_SIMULATED_KEYBOARD=5 wine "$instdir/QxKBDriver.exe" >/dev/null 2>&1 &
running=$!
timeout 60 wine "$probe" --window 40
check "the installed program runs" test $? -eq 0
echo "<old/>" >"$instdir/KeyboardLayout.xml"
timeout 120 wine "$setup" /S
check "the update exits with 0" test $? -eq 0
ended() { local _; for _ in $(seq 100); do kill -0 "$running" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
check "the update ended the running program" ended
wait "$running"
check "the program ended in order, with 0" test $? -eq 0
check "the update writes the current files" cmp -s "$instdir/KeyboardLayout.xml" "$stage/KeyboardLayout.xml"
# That run may have stored more; the uninstall must keep what is there now.
before=$(settings_snapshot)

echo "== silent uninstall with QuietUninstallString"
echo "mine" >"$instdir/skins/theme1/user-notes.txt"
# The uninstaller copies itself to the temp folder, starts that copy and returns at once:
# completion is the end of every process in the prefix.
eval "uninstall=($quiet)"
timeout 60 wine "${uninstall[@]}"
check "the uninstaller starts" test $? -eq 0
timeout 120 wineserver -w
check "the uninstaller finished within 120 s" test $? -eq 0
check "no program file, uninstaller or shortcut is left" none_installed
check "the Add/Remove Programs entry is gone" bash -c "! wine reg query '$uninst_key' >/dev/null 2>&1"
check "a file the user put into the program's folder stays" test -f "$instdir/skins/theme1/user-notes.txt"
check "only that file is left" test "$(cd "$instdir" && find . -type f)" = "./skins/theme1/user-notes.txt"
check "the uninstall keeps the settings and the database" same "$before" "$(settings_snapshot)"

echo "== uninstall of an install without user files removes the folder"
rm -f "$instdir/skins/theme1/user-notes.txt"
timeout 120 wine "$setup" /S
timeout 60 wine "$instdir/uninstall.exe" /S
timeout 120 wineserver -w
check "the program folder is gone" test ! -e "$instdir"
check "the settings are still there" same "$before" "$(settings_snapshot)"

echo "$failures failed checks"
[ "$failures" -eq 0 ]
