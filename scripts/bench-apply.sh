#!/usr/bin/env bash
# Applying property changes: the package rename on a generated project of 5,000 Java and XML
# files (about 50 MB) against grep | xargs sed -i plus mv on an identical copy, in the same run;
# and applying on the real-world BASIC! fixture. Prints the medians and the rename's ratio to
# the baseline (the aim: at most 2), and the fixture figures (the aim: under 5 ms each).
set -euo pipefail
source "$(dirname "$0")/common.sh"
REPS=${BENCH_APPLY_REPETITIONS:-3}

if [ ! -x "$BUILD_ROOT/native/bench/benchmarks" ]; then
  build_native native -DVEXLO_BENCHMARKS=ON
else
  cmake --build "$BUILD_ROOT/native" -j "$JOBS" --target benchmarks >/dev/null 2>&1
fi

OUT=$(mktemp)
trap 'rm -f "$OUT"' EXIT
"$BUILD_ROOT/native/bench/benchmarks" \
  --benchmark_filter='BM_(ApplyPackageRename5000Files|BaselineGrepSedMove5000Files|ApplyRealWorldProject|LoadRealWorldProject)' \
  --benchmark_repetitions="$REPS" --benchmark_report_aggregates_only=true \
  --benchmark_out="$OUT" --benchmark_out_format=csv >/dev/null 2>&1

# CSV rows: "name",iterations,real_time,cpu_time,time_unit,...
awk -F, '
  /_median"/ {
    name = $1; gsub(/"/, "", name); sub(/_median$/, "", name); sub(/\/real_time$/, "", name)
    real[name] = $3; cpu[name] = $4; unit[name] = $5
  }
  END {
    printf "apply benchmarks (median of repetitions, wall clock / CPU of this process):\n"
    split("BM_ApplyPackageRename5000Files BM_BaselineGrepSedMove5000Files BM_ApplyRealWorldProject " \
          "BM_ApplyRealWorldProjectWithRename BM_LoadRealWorldProject", order, " ")
    for (i = 1; i in order; i++) {
      n = order[i]
      if (n in real) printf "  %-40s %10.1f %s  %10.1f %s\n", n, real[n], unit[n], cpu[n], unit[n]
    }
    a = real["BM_ApplyPackageRename5000Files"]; b = real["BM_BaselineGrepSedMove5000Files"]
    if (a > 0 && b > 0)
      printf "package rename on 5,000 files: %.0f ms, baseline %.0f ms, ratio %.2f (aim: at most 2)\n", a, b, a / b
  }' "$OUT"
echo "  (load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores: wall-clock figures grow with it)"
