#!/usr/bin/env bash
# Measures the in-app compile under Wine with stand-in tools that do no work: its time from
# the "Compile APK" click to the success message, the same tool calls run back to back from
# one batch file, and the longest time the GUI thread takes to answer a message meanwhile.
#     scripts/bench-compile.sh [runs]
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
build_windows "$WINE_ARCH"
prepare_wine_prefix
BIN=$BUILD_ROOT/$RUN_BUILD/bin
with_display bash -c "\"\$WINE\" '$BIN/compile_bench.exe' ${1:-5}; rc=\$?; wineserver -k; exit \$rc"
