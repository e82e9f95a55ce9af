#!/usr/bin/env bash
# Measures what installing on a phone adds after an in-app compile under Wine, with the
# stand-in tools and adb: the time from the success message to the install question, the
# install with its progress dialog, and the longest time the main window takes to answer a
# message meanwhile.
#     scripts/bench-phone.sh [runs]
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
build_windows "$WINE_ARCH" Vexlo phone_bench fake_toolchain adb keytool javac fake_android \
  zipalign fake_apksigner fake_ant
prepare_wine_prefix
BIN=$BUILD_ROOT/$RUN_BUILD/bin
with_display bash -c "\"\$WINE\" '$BIN/phone_bench.exe' ${1:-5}; rc=\$?; wineserver -k; exit \$rc"
