#!/usr/bin/env bash
# Figures of the release: the sizes of the installer and the portable zip (shipped 32-bit, and
# the 64-bit variant that runs here), the installed size, and how long a silent install and a
# silent uninstall take under Wine (each in a fresh prefix, several rounds).
#     scripts/bench-release.sh [ROUNDS]
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
rounds=${1:-3}

work=$BUILD_ROOT/bench-release
mkdir -p "$work"
bash "$REPO_ROOT/scripts/release.sh" >/dev/null
# Once more aside, for the uninstaller the shipped installer writes (the copy changes how the
# installer stores it, so the shipped one is built without).
VEXLO_UNINSTALLER_COPY=$work/Uninstall-i686.exe bash "$REPO_ROOT/scripts/release.sh" --out "$work/aside" >/dev/null
[ "$WINE_ARCH" = i686 ] || bash "$REPO_ROOT/scripts/release.sh" --arch "$WINE_ARCH" >/dev/null
version=$(sed -n 's/^#define VEXLO_VERSION_TEXT "\(.*\)"$/\1/p' "$BUILD_ROOT/win-i686/generated/vexlo_version.h")
shipped=$BUILD_ROOT/release/Vexlo-$version-setup.exe
if [ "$WINE_ARCH" = i686 ]; then runnable=$shipped; else runnable=$BUILD_ROOT/release-$WINE_ARCH/Vexlo-$version-x64-setup.exe; fi

size() { stat -c %s "$1"; }
mb() { awk -v b="$1" 'BEGIN { printf "%.2f MB", b / 1048576 }'; }
echo "release $version:"
for f in "$shipped" "${shipped%-setup.exe}-portable.zip" "$runnable" "${runnable%-setup.exe}-portable.zip"; do
  printf '  %-34s %9d bytes  %s\n' "$(basename "$f")" "$(size "$f")" "$(mb "$(size "$f")")"
done | awk '!seen[$0]++'
# Installed, the shipped programs: the two programs and the uninstaller; Vexlo.exe writes
# Lumo.exe out beside them when a report needs it.
bin=$BUILD_ROOT/win-i686/bin
installed32=$(( $(size "$bin/Vexlo.exe") + $(size "$bin/Vexlo-config.exe") + $(size "$work/Uninstall-i686.exe") ))
echo "  installed (shipped, 32-bit): $installed32 bytes ($(mb "$installed32")), with Lumo.exe written" \
     "out later $(mb $((installed32 + $(size "$bin/Lumo.exe"))))"

# Silent install and uninstall of the installer this machine runs, under Wine.
export WINEPREFIX=$work/prefix
mkdir -p "$work/home"
export HOME=$work/home  # what Wine links to the Unix side stays inside the bench's folder
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
now() { date +%s.%N; }
installs=(); uninstalls=(); installed=0
for round in $(seq "$rounds"); do
  if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  rm -rf "$WINEPREFIX"
  prepare_wine_prefix
  result=$(with_display bash -c '
    wineserver -p 30  # a running server, as on a machine in use
    "$WINE" cmd /c exit >/dev/null 2>&1
    now() { date +%s.%N; }
    start=$(now)
    "$WINE" "$1" /S
    end=$(now)
    folder=$(find "$WINEPREFIX/drive_c/users" -type d -path "*/AppData/Local/Programs/Vexlo" | head -1)
    [ -f "$folder/Vexlo.exe" ] || { echo "not installed"; exit 1; }
    bytes=$(find "$folder" -type f -printf "%s\n" | awk "{ s += \$1 } END { print s }")
    # The uninstaller hands over to a copy of itself and returns: it is done when it has
    # removed itself, its last step.
    ustart=$(now)
    "$WINE" "$folder/Uninstall.exe" /S
    while [ -f "$folder/Uninstall.exe" ]; do
      sleep 0.02
      [ "$(awk -v s="$ustart" -v n="$(now)" "BEGIN { print (n - s > 60) }")" = 1 ] && { echo "uninstall hung"; exit 1; }
    done
    uend=$(now)
    [ ! -f "$folder/Vexlo.exe" ] || { echo "not uninstalled"; exit 1; }
    echo "$(awk -v a="$start" -v b="$end" "BEGIN { print b - a }") $(awk -v a="$ustart" -v b="$uend" "BEGIN { print b - a }") $bytes"
    wineserver -k' _ "$(windows_path "$runnable")" | tail -1)
  read -r t_install t_uninstall bytes <<< "$result"
  [ -n "${bytes:-}" ] || { echo "round $round failed: $result"; exit 1; }
  installs+=("$t_install"); uninstalls+=("$t_uninstall"); installed=$bytes
done
wineserver -k 2>/dev/null || true
stats() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { printf "median %.2f s, max %.2f s (%d rounds)", v[int((NR + 1) / 2)], v[NR], NR }'; }
echo "  installed under Wine ($(basename "$runnable")): $installed bytes ($(mb "$installed"))"
echo "  silent install under Wine:   $(stats "${installs[@]}")"
echo "  silent uninstall under Wine: $(stats "${uninstalls[@]}")"
