#!/usr/bin/env bash
# Runs the benchmarks: the portable core natively (Google Benchmark), then start-up under Wine
# against a minimal one-window program, and the sizes of the shipped programs.
set -euo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1
build_native native -DVEXLO_BENCHMARKS=ON
"$BUILD_ROOT/native/bench/benchmarks" --benchmark_repetitions=5 --benchmark_report_aggregates_only \
  ${BENCH_FILTER:+--benchmark_filter="$BENCH_FILTER"}
for extra in "$REPO_ROOT"/scripts/bench-*.sh; do [ -f "$extra" ] && bash "$extra"; done

build_windows i686 Vexlo Vexlo-config Lumo startup_bench layout_floor configurator_refresh_bench flush_bench
[ "$WINE_ARCH" = i686 ] || build_windows "$WINE_ARCH"
prepare_wine_prefix
BIN=$BUILD_ROOT/$RUN_BUILD/bin
# Both programs start on a complete configuration of stand-in tools.
bash "$REPO_ROOT/scripts/make-fake-toolchain.sh" "$BUILD_ROOT/bench-tools" "$BIN" >/dev/null
with_display bash -c "
  cd '$BIN'
  echo 'Vexlo.exe, then the floor of its layout (a plain window with the same controls):'
  timeout 600 \"\$WINE\" startup_bench.exe Vexlo.exe 'Android Vexlo Tools v3.6' 15
  timeout 600 \"\$WINE\" startup_bench.exe layout_floor.exe 'Layout floor' 15
  echo 'Vexlo-config.exe, then the floor of its layout:'
  timeout 600 \"\$WINE\" startup_bench.exe Vexlo-config.exe 'Android Vexlo Configurator v3.6' 15
  timeout 600 \"\$WINE\" startup_bench.exe layout_floor.exe 'Layout floor' 15 config
  timeout 120 \"\$WINE\" configurator_refresh_bench.exe Vexlo-config.exe 200
  echo 'Making 2,000 staged files durable (an Apply with a large rename):'
  timeout 300 \"\$WINE\" flush_bench.exe 2000 5
  wineserver -k" || true
echo "sizes of the shipped (32-bit) programs:"
ls -l "$BUILD_ROOT"/win-i686/bin/*.exe | awk '{printf "  %-20s %8d bytes\n", $NF, $5}' | sed "s|$BUILD_ROOT/win-i686/bin/||"
