# Shared settings of the project scripts; sourced, not run.
REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${VEXLO_BUILD_DIR:-$REPO_ROOT/build}
export WINEPREFIX=${VEXLO_WINEPREFIX:-$BUILD_ROOT/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
JOBS=$(nproc 2>/dev/null || echo 2)

# Creates the Wine prefix once, with a virtual desktop so that windows get their frames.
prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.vexlo-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.vexlo-ready"
  fi
}

build_native() {  # $1 = folder name, rest = cmake options
  local dir=$BUILD_ROOT/$1; shift
  cmake -S "$REPO_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS" >/dev/null
}

build_windows() {
  local dir=$BUILD_ROOT/win
  cmake -S "$REPO_ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$REPO_ROOT/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release ${VEXLO_EDITOR:+-DVEXLO_EDITOR="$VEXLO_EDITOR"} >/dev/null
  cmake --build "$dir" -j "$JOBS" >/dev/null
}

# Runs a command with an X display: the caller's, or a private Xvfb.
with_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${VEXLO_PRIVATE_DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  fi
}
