#!/usr/bin/env bash
# The cross build's test emulator: wine-run.sh BUILD_DIR program.exe [args...]
# Runs a Windows program in the build tree's own prefix and returns its exit code.
QX_BUILD_DIR=${1:?usage: wine-run.sh BUILD_DIR program [args...]}
shift
source "$(dirname "$0")/wine-env.sh"
qx_wine_prefix
exec wine "$@"
