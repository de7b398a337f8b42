#!/usr/bin/env bash
# Unpacks the sources of Debian's hidapi and sqlite3 source packages into a cache folder of the
# build tree and makes SQLite's amalgamation, so the Windows builds compile them with MinGW.
# Usage: fetch-debian-sources.sh CACHE_DIR. Skips what is already there.
set -euo pipefail
cache=${1:?usage: fetch-debian-sources.sh CACHE_DIR}
mkdir -p "$cache"
cd "$cache"
exec 9>"$cache/.lock"
flock 9

fetch() { # package, folder that must appear
  local pkg=$1 dir=$2
  [ -d "$dir" ] && return 0
  rm -rf "$pkg.tmp" && mkdir "$pkg.tmp"
  (cd "$pkg.tmp" && apt-get source -qq "$pkg" >/dev/null 2>&1) || {
    echo "apt-get source $pkg failed: run tools/install-deps.sh as root first (it adds deb-src)" >&2
    exit 1
  }
  local top
  top=$(find "$pkg.tmp" -mindepth 1 -maxdepth 1 -type d | head -n1)
  mv "$top" "$dir"
  rm -rf "$pkg.tmp"
}

fetch hidapi hidapi
fetch sqlite3 sqlite3-src
if [ ! -f sqlite3/sqlite3.c ]; then
  mkdir -p sqlite3-build
  (cd sqlite3-build && ../sqlite3-src/configure --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
  mkdir -p sqlite3
  cp sqlite3-build/sqlite3.c sqlite3-build/sqlite3.h sqlite3
fi
echo "$cache"
