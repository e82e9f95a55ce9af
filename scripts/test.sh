#!/usr/bin/env bash
# Runs every test: the portable core natively (plain and with AddressSanitizer/UBSan) and its
# fuzz harnesses over their corpora, then the same unit tests and the GUI tests cross-compiled
# under Wine, then the release build and the acceptance run of the installed suite. Ends with
# "N passed, N failed, N skipped".
set -uo pipefail
source "$(dirname "$0")/common.sh"
ready_for_wine || exit 1

passed=0; failed=0; skipped=0
mkdir -p "$BUILD_ROOT"
LOG=$BUILD_ROOT/test-logs; mkdir -p "$LOG"

# Adds the counts a GoogleTest run printed to the totals.
count_gtest() {  # $1 = name, $2 = log file, $3 = exit code
  local ok bad skip
  ok=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$2" | tail -1 | grep -oE '[0-9]+' | head -1)
  bad=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$2" | tail -1 | grep -oE '[0-9]+' | head -1)
  skip=$(grep -E '^\[  SKIPPED \] [0-9]+ test' "$2" | tail -1 | grep -oE '[0-9]+' | head -1)
  ok=${ok:-0}; bad=${bad:-0}; skip=${skip:-0}
  if [ "$3" != 0 ] && [ "$bad" = 0 ]; then bad=1; echo "$1: run failed (exit $3)"; tail -20 "$2"; fi
  [ "$bad" != 0 ] && grep -E '^\[  FAILED  \]' "$2" | head -40
  [ "$skip" != 0 ] && grep -E '^\[  SKIPPED \] [^0-9]' "$2" | head -20
  echo "$1: $ok passed, $bad failed, $skip skipped"
  passed=$((passed + ok)); failed=$((failed + bad)); skipped=$((skipped + skip))
}

run_suite() {  # $1 = name, rest = command
  local name=$1; shift
  "$@" > "$LOG/${name%% *}.log" 2>&1
  count_gtest "$name" "$LOG/${name%% *}.log" $?
}

echo "== formatting"
if bash "$REPO_ROOT/scripts/check-format.sh"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

echo "== native build"
if build_native native -DVEXLO_BENCHMARKS=OFF && build_native asan -DVEXLO_SANITIZE=ON -DVEXLO_BENCHMARKS=OFF; then
  run_suite "native (linux-x86_64)" "$BUILD_ROOT/native/tests/unit_tests"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_suite "native-asan (linux-x86_64, ASan/UBSan)" "$BUILD_ROOT/asan/tests/unit_tests"
else
  echo "native build failed"; failed=$((failed + 1))
fi

# The fuzz harnesses over their corpora (every input that once broke the core) and a short run.
echo "== fuzzing (linux-x86_64, clang, ASan/UBSan)"
bash "$REPO_ROOT/scripts/fuzz.sh" --quick > "$LOG/fuzz.log" 2>&1
fuzz_rc=$?
grep -E '^[a-z_]+_fuzz: ' "$LOG/fuzz.log" || tail -5 "$LOG/fuzz.log"
clean=$(grep -cE '^[a-z_]+_fuzz: .*, clean$' "$LOG/fuzz.log")
passed=$((passed + clean))
[ "$fuzz_rc" = 0 ] || failed=$((failed + 1))

# Every 32-bit target, tests included, is built on every run, also where Wine cannot run it, so
# that what only the 32-bit compiler sees (stdcall callbacks, say) shows here.
echo "== windows builds (shipped: win-i686; Wine runs: $RUN_BUILD)"
if build_windows i686 && { [ "$WINE_ARCH" = i686 ] || build_windows "$WINE_ARCH"; }; then
  # What 32-bit code will call, proven without running it: every import resolves against
  # Wine's 32-bit system DLLs, and no call goes through an import slot the loader leaves empty.
  shipped_exes=("$BUILD_ROOT"/win-i686/bin/*.exe "$BUILD_ROOT"/win-i686/fake-tools/*.exe)
  python3 "$REPO_ROOT/scripts/check_imports.py" "${shipped_exes[@]}" > "$LOG/imports.log" 2>&1
  imports_rc=$?
  grep -v 'imports resolve$' "$LOG/imports.log"
  ok=$(grep -oE '^imports: [0-9]+ passed' "$LOG/imports.log" | grep -oE '[0-9]+')
  passed=$((passed + ${ok:-0}))
  [ "$imports_rc" = 0 ] || failed=$((failed + 1))

  prepare_wine_prefix
  run_suite "wine-unit ($RUN_BUILD)" timeout 600 "$WINE" "$BUILD_ROOT/$RUN_BUILD/bin/unit_tests.exe"
  export VEXLO_SHOTS=${VEXLO_SHOTS:-}
  run_suite "wine-gui ($RUN_BUILD)" with_display bash -c "timeout 1200 \"\$WINE\" '$BUILD_ROOT/$RUN_BUILD/bin/gui_tests.exe'; rc=\$?; wineserver -k; exit \$rc"
  echo "== release (shipped: win-i686) and acceptance run of the installed suite"
  rm -f "$BUILD_ROOT/logs/release.log"
  if logged release bash "$REPO_ROOT/scripts/release.sh" &&
     { [ "$WINE_ARCH" = i686 ] || logged release bash "$REPO_ROOT/scripts/release.sh" --arch "$WINE_ARCH"; }; then
    run_suite "acceptance ($RUN_BUILD installer)" timeout 900 bash "$REPO_ROOT/scripts/acceptance.sh"
  else
    echo "release build failed"; failed=$((failed + 1))
  fi
else
  echo "windows build failed"; failed=$((failed + 1))
fi

echo
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]
