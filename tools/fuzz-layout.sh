#!/usr/bin/env bash
# The layout loader's fuzzer: tools/fuzz-run.sh layout [seconds=60] [build-dir=build/fuzz].
exec "$(dirname "$0")/fuzz-run.sh" layout "$@"
