#!/usr/bin/env bash
# Lays out the stand-in JDK, Android SDK, build tools and Apache Ant (our own small programs,
# built from tests/fake-tools) in a folder, with a stand-in keystore; with a second folder,
# also writes a complete Vexlo.cfg there that points at them (alias "demo", password
# "demo-pass"). Runs under Wine.
#     scripts/make-fake-toolchain.sh TOOLCHAIN_FOLDER [PROGRAM_FOLDER]
# The stand-ins are taken from $FAKE_TOOLS_DIR, or from the Wine build's fake-tools folder.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
if [ $# -lt 1 ]; then
  echo "usage: $0 TOOLCHAIN_FOLDER [PROGRAM_FOLDER]" >&2
  exit 2
fi
tools=${FAKE_TOOLS_DIR:-$BUILD_ROOT/$RUN_BUILD/fake-tools}
if [ ! -f "$tools/fake_toolchain.exe" ]; then
  echo "no stand-in tools in $tools: build the Windows programs first" >&2
  exit 1
fi
mkdir -p "$1"
to_windows() { "$WINE" winepath -w "$(cd "$1" && pwd)" 2>/dev/null | tr -d '\r'; }
args=("$(to_windows "$1")")
if [ $# -ge 2 ]; then
  mkdir -p "$2"
  args+=("$(to_windows "$2")")
fi
prepare_wine_prefix
"$WINE" "$tools/fake_toolchain.exe" "${args[@]}"
