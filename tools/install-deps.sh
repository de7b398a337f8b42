#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Idempotent: packages already present are skipped, deb-src is added once.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  wine wine64 xvfb xcompmgr xdotool x11-utils imagemagick
  libhidapi-dev libsqlite3-dev googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  dpkg-dev tcl
  fonts-wqy-microhei fonts-liberation librsvg2-bin python3
  python3-fonttools fonts-open-sans
  libcli11-dev nlohmann-json3-dev libudev-dev nsis
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Debian's source packages (hidapi, sqlite3) are built with MinGW for the Windows side.
src_list=/etc/apt/sources.list.d/qxkb-deb-src.sources
need_update=0
if [ ! -f "$src_list" ] && ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  cat > "$src_list" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
