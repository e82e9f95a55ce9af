#!/usr/bin/env bash
# The end-to-end acceptance run under Wine: from a fresh Wine prefix, the release installer of
# the build Wine can run is installed silently, Vexlo-config and Vexlo are driven through a
# whole project (stand-in JDK, SDK and Ant), the report opens in Lumo, and the suite is
# uninstalled again. Every window met is kept as a PNG in build/acceptance/shots.
#     scripts/acceptance.sh [GoogleTest options]
# Needs scripts/release.sh --arch <Wine's architecture> and the Windows build of that
# architecture (tests and stand-in tools) to be done.
set -uo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1

case $WINE_ARCH in
  i686) release=$BUILD_ROOT/release; suffix="" ;;
  *) release=$BUILD_ROOT/release-$WINE_ARCH; suffix="-x64" ;;
esac
setup=$(ls "$release"/Vexlo-*"$suffix"-setup.exe 2>/dev/null | head -1)
tests=$BUILD_ROOT/$RUN_BUILD/bin/acceptance_tests.exe
[ -n "$setup" ] || { echo "no installer in $release: run scripts/release.sh --arch $WINE_ARCH" >&2; exit 1; }
[ -f "$tests" ] || { echo "no $tests: build the Windows programs first" >&2; exit 1; }

# A fresh prefix every time, so that nothing of an earlier run is found.
work=$BUILD_ROOT/acceptance
export WINEPREFIX=$work/prefix
[ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX" "$work/shots" "$work/home"
mkdir -p "$work/shots" "$work/home"
export HOME=$work/home  # what Wine links to the Unix side stays inside the run's folder
prepare_wine_prefix  # also turns the links to the Unix home into folders inside the prefix

windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
export VEXLO_SETUP=$(windows_path "$setup")
export VEXLO_SHOTS=$(windows_path "$work/shots")
with_display bash -c 'timeout 840 "$WINE" "$0" "$@"; rc=$?; wineserver -k; exit $rc' "$tests" "$@"
rc=$?
echo "acceptance run: ${SECONDS} s; screenshots: $work/shots ($(ls "$work/shots" | wc -l) windows)"
exit $rc
