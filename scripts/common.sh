# Shared settings of the project scripts; sourced, not run.
REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${VEXLO_BUILD_DIR:-$REPO_ROOT/build}
export WINEPREFIX=${VEXLO_WINEPREFIX:-$BUILD_ROOT/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
JOBS=$(nproc 2>/dev/null || echo 2)

# Installs the dependencies (once per run of a top script) and then decides, once, which build
# Wine runs. The shipped programs are 32-bit; some machines (virtual machines without 32-bit
# user space) cannot run 32-bit code at all, and there the same sources are also built as
# 64-bit for the Wine runs. The decision can only be made once wine32 is installed, and it is
# exported so that every script started from here uses the same one.
ready_for_wine() {
  if [ -z "${VEXLO_DEPS_READY:-}" ]; then
    bash "$REPO_ROOT/scripts/install-deps.sh" >/dev/null || { echo "could not install dependencies" >&2; return 1; }
    export VEXLO_DEPS_READY=1
  fi
  if [ -z "${VEXLO_WINE_ARCH:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
      VEXLO_WINE_ARCH=i686
    else
      VEXLO_WINE_ARCH=x86_64
    fi
    export VEXLO_WINE_ARCH
  fi
  WINE_ARCH=$VEXLO_WINE_ARCH
  if [ "$WINE_ARCH" = i686 ]; then WINE=/usr/lib/wine/wine; else WINE=/usr/lib/wine/wine64; fi
  [ -x "$WINE" ] || WINE=wine
  export WINE
  RUN_BUILD=win-$WINE_ARCH  # the build whose programs and tests run under Wine
}

# A new prefix links Desktop, Documents and the like to the Unix home folder; the programs and
# tests would then write into it. They become plain folders inside the prefix.
unlink_home_folders() {
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
  done
}

# Creates the Wine prefix once, with a virtual desktop so that windows get their frames.
prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.vexlo-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # As on Windows, the dialog fonts fall back to a CJK font for characters they lack.
    local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for face in Tahoma 'MS Sans Serif' 'Microsoft Sans Serif' Arial; do
      "$WINE" reg add "$link" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.vexlo-ready"
  fi
  unlink_home_folders
}

# Runs a build step with its output in a log file; shows the end of the log when it fails.
logged() {  # $1 = log name, rest = command
  local log=$BUILD_ROOT/logs/$1.log; shift
  mkdir -p "$BUILD_ROOT/logs"
  if ! "$@" >>"$log" 2>&1; then
    grep -E 'error|Error' "$log" | head -20; tail -5 "$log"; return 1
  fi
}

build_native() {  # $1 = folder name, rest = cmake options
  local name=$1 dir=$BUILD_ROOT/$1; shift
  rm -f "$BUILD_ROOT/logs/build-$name.log"
  logged "build-$name" cmake -S "$REPO_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" &&
    logged "build-$name" cmake --build "$dir" -j "$JOBS"
}

build_windows() {  # $1 = i686 (shipped) or x86_64, then the targets (default: all)
  local arch=$1 dir=$BUILD_ROOT/win-$1; shift
  local targets=(); for t in "$@"; do targets+=(--target "$t"); done
  local name=build-win-$arch
  rm -f "$BUILD_ROOT/logs/$name.log"
  logged "$name" cmake -S "$REPO_ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$REPO_ROOT/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release ${VEXLO_EDITOR:+-DVEXLO_EDITOR="$VEXLO_EDITOR"} &&
    logged "$name" cmake --build "$dir" -j "$JOBS" "${targets[@]}"
}

# Runs a command with an X display: the caller's, or a private Xvfb.
with_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${VEXLO_PRIVATE_DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  fi
}
