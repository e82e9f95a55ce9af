#!/usr/bin/env bash
# Runs the GUI tests with screenshots on: every window the tests meet is saved as a PNG in
# build/shots (or $1), ready to be looked at.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
build_windows "$WINE_ARCH"
prepare_wine_prefix
shots=${1:-$BUILD_ROOT/shots}
mkdir -p "$shots"
export VEXLO_SHOTS
VEXLO_SHOTS=$("$WINE" winepath -w "$shots" 2>/dev/null | tr -d '\r')
VEXLO_PRIVATE_DISPLAY=1 with_display bash -c "\"\$WINE\" '$BUILD_ROOT/$RUN_BUILD/bin/gui_tests.exe' ${GTEST_FILTER:+--gtest_filter=$GTEST_FILTER}; wineserver -k" || true
echo "screenshots in $shots:"
ls "$shots"
