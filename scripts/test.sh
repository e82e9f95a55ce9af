#!/usr/bin/env bash
# Runs every test: the portable core natively (plain and with AddressSanitizer/UBSan), then the
# same unit tests and the GUI tests cross-compiled under Wine, then the release build and the
# acceptance run of the installed suite. Ends with "N passed, N failed".
set -uo pipefail
source "$(dirname "$0")/common.sh"
bash "$REPO_ROOT/scripts/install-deps.sh" >/dev/null || { echo "could not install dependencies"; exit 1; }

passed=0; failed=0; broken=0
mkdir -p "$BUILD_ROOT"
LOG=$BUILD_ROOT/test-logs; mkdir -p "$LOG"

# Adds the counts a GoogleTest run printed to the totals.
count_gtest() {  # $1 = name, $2 = log file, $3 = exit code
  local ok bad
  ok=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$2" | tail -1 | grep -oE '[0-9]+' | head -1)
  bad=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$2" | tail -1 | grep -oE '[0-9]+' | head -1)
  ok=${ok:-0}; bad=${bad:-0}
  if [ "$3" != 0 ] && [ "$bad" = 0 ]; then bad=1; broken=1; echo "$1: run failed (exit $3)"; tail -20 "$2"; fi
  [ "$bad" != 0 ] && grep -E '^\[  FAILED  \]' "$2" | head -40
  echo "$1: $ok passed, $bad failed"
  passed=$((passed + ok)); failed=$((failed + bad))
}

run_suite() {  # $1 = name, rest = command
  local name=$1; shift
  "$@" > "$LOG/$name.log" 2>&1
  count_gtest "$name" "$LOG/$name.log" $?
}

echo "== native build"
if build_native native -DVEXLO_BENCHMARKS=OFF && build_native asan -DVEXLO_SANITIZE=ON -DVEXLO_BENCHMARKS=OFF; then
  run_suite native "$BUILD_ROOT/native/tests/unit_tests"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_suite native-asan "$BUILD_ROOT/asan/tests/unit_tests"
else
  echo "native build failed"; failed=$((failed + 1))
fi

echo "== windows builds (shipped: i686; run under Wine: $WINE_ARCH)"
# The shipped 32-bit programs are always built; the tests run from the build Wine can run.
shipped=()
for program in vexlo:Vexlo vexlo-config:Vexlo-config lumo:Lumo; do
  compgen -G "$REPO_ROOT/src/${program%%:*}/*.cpp" >/dev/null && shipped+=("${program#*:}")
done
if build_windows i686 "${shipped[@]}" && build_windows "$WINE_ARCH"; then
  prepare_wine_prefix
  run_suite wine-unit timeout 600 "$WINE" "$BUILD_ROOT/$RUN_BUILD/bin/unit_tests.exe"
  if [ -f "$BUILD_ROOT/$RUN_BUILD/bin/gui_tests.exe" ]; then
    export VEXLO_SHOTS=${VEXLO_SHOTS:-}
    run_suite wine-gui with_display bash -c "timeout 1200 \"\$WINE\" '$BUILD_ROOT/$RUN_BUILD/bin/gui_tests.exe'; rc=\$?; wineserver -k; exit \$rc"
  fi
  echo "== release (shipped: i686) and acceptance run of the installed suite"
  rm -f "$BUILD_ROOT/logs/release.log"
  if logged release bash "$REPO_ROOT/scripts/release.sh" &&
     { [ "$WINE_ARCH" = i686 ] || logged release bash "$REPO_ROOT/scripts/release.sh" --arch "$WINE_ARCH"; }; then
    run_suite acceptance timeout 900 bash "$REPO_ROOT/scripts/acceptance.sh"
  else
    echo "release build failed"; failed=$((failed + 1))
  fi
else
  echo "windows build failed"; failed=$((failed + 1))
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
