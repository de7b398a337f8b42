#!/usr/bin/env bash
# The XML reader's fuzzer: tools/fuzz-run.sh xml [seconds=60] [build-dir=build/fuzz].
exec "$(dirname "$0")/fuzz-run.sh" xml "$@"
