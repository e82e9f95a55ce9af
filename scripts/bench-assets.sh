#!/usr/bin/env bash
# Measures the project asset operations, natively and under Wine, and prints the figures:
#   - duplicating a generated 10,000-file (200 MB) project: the portable duplicate core against
#     `cp -r` natively (aim: within 1.3x) and against `xcopy /e /h` under Wine (within 1.5x),
#     each pair in the same run;
#   - the six icon sizes from a 1024 x 1024 PNG under Wine, file to files (aim: < 300 ms);
#   - include expansion of a 50,000-line program in 200 files, natively (aim: < 100 ms).
# The Wine part is a small program built from bench/assets_bench.cpp against the libraries of
# the Windows build that Wine runs here (build/win-<arch>).
#     scripts/bench-assets.sh [native|wine]
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
PART=${1:-all}

if [ "$PART" != wine ]; then
  echo "== native"
  if [ ! -x "$BUILD_ROOT/native/bench/benchmarks" ]; then
    build_native native -DVEXLO_BENCHMARKS=ON
  else
    cmake --build "$BUILD_ROOT/native" -j "$JOBS" --target benchmarks >/dev/null
  fi
  OUT=$BUILD_ROOT/bench-assets-native.txt
  "$BUILD_ROOT/native/bench/benchmarks" \
    --benchmark_filter='BM_(DuplicateProject10000Files|IncludeExpansion50000Lines|SixIconSizesFrom1024)' \
    | tee "$OUT"
  grep -o 'ratio=[0-9.]*' "$OUT" | sed 's/ratio=/duplicate \/ cp -r: /; s/$/ (aim: at most 1.3)/'
fi

if [ "$PART" != native ]; then
  echo "== Wine ($WINE_ARCH)"
  WIN=$BUILD_ROOT/win-$WINE_ARCH
  if [ ! -f "$WIN/libvexlo_winui.a" ]; then build_windows "$WINE_ARCH" vexlo_winui; fi
  EXE=$WIN/bin/assets_wine_bench.exe
  mkdir -p "$WIN/bin"
  "$WINE_ARCH-w64-mingw32-g++-posix" -std=c++20 -O2 -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN \
    -DNOMINMAX -D_WIN32_WINNT=0x0601 -DVEXLO_FIXTURES="\"$REPO_ROOT/tests/fixtures\"" \
    -I"$REPO_ROOT/src" -I"$REPO_ROOT/tests" \
    "$REPO_ROOT/bench/assets_bench.cpp" "$REPO_ROOT/src/vexlo/picture_files.cpp" \
    "$REPO_ROOT/tests/unit/test_support.cpp" -o "$EXE" -municode -static \
    -L"$WIN" -lvexlo_winui -lvexlo_core \
    -lgdiplus -lgdi32 -luser32 -lshell32 -lshlwapi -lole32 -luuid -lcomctl32 -lcomdlg32
  prepare_wine_prefix
  "$WINE" "$EXE" | tee "$BUILD_ROOT/bench-assets-wine.txt"
fi
