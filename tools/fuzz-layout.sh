#!/usr/bin/env bash
# The layout loader's fuzzer: tools/fuzz.sh layout [seconds=60] [build-dir=build/fuzz].
exec "$(dirname "$0")/fuzz.sh" layout "$@"
