#!/usr/bin/env bash
# The XML reader's fuzzer: tools/fuzz.sh xml [seconds=60] [build-dir=build/fuzz].
exec "$(dirname "$0")/fuzz.sh" xml "$@"
