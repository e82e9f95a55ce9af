#!/usr/bin/env bash
# Takes the pictures of docs/USER-GUIDE.md again, from a run under Wine: the acceptance run keeps
# a screenshot of every window it meets (cropped to the window); the ones the guide shows are
# copied into docs/images under the names the guide uses, without their run numbers.
#     scripts/user-guide-images.sh [--reuse]   (--reuse: the last run's screenshots)
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
shots=$BUILD_ROOT/acceptance/shots
if [ "${1:-}" != --reuse ]; then
  build_windows "$WINE_ARCH" || { echo "build failed" >&2; exit 1; }
  bash "$REPO_ROOT/scripts/release.sh" --arch "$WINE_ARCH" >/dev/null
  bash "$REPO_ROOT/scripts/acceptance.sh" >/dev/null ||
    { echo "the acceptance run failed: pictures of a broken run are not taken" >&2; exit 1; }
fi
guide=$REPO_ROOT/docs/USER-GUIDE.md
images=$REPO_ROOT/docs/images
mkdir -p "$images"
rm -f "$images"/*.png
missing=0
for name in $(grep -o 'images/[A-Za-z0-9_-]*\.png' "$guide" | sed 's|images/||' | sort -u); do
  shot=$(ls "$shots"/[0-9][0-9]-"$name" 2>/dev/null | tail -1)
  if [ -z "$shot" ]; then echo "no screenshot for $name" >&2; missing=1; continue; fi
  # Without time stamps, an unchanged window gives an unchanged file.
  convert "$shot" -strip -define png:exclude-chunks=date,time "$images/$name"
done
[ "$missing" = 0 ] || exit 1
echo "$(ls "$images" | wc -l) pictures in $images"
