#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz (in build/fuzz, with clang, ASan and UBSan) and
# runs each one: first over its corpus (tests/fuzz/corpus/<harness>, every input a regression
# case), then for a timed run that grows a working corpus in build/fuzz/corpus/<harness> (the
# committed corpus is only read). Prints one line per harness, "<harness>: N runs, X exec/s,
# clean", and exits non-zero when any harness found something; the input is kept in
# build/fuzz/findings/.
#
#   scripts/fuzz.sh [seconds] [harness...]   timed runs of that many seconds (default 60)
#   scripts/fuzz.sh --quick [harness...]     corpus plus a 10-second run each, two at a time
set -uo pipefail
source "$(dirname "$0")/common.sh"

seconds=60
parallel=1
case "${1:-}" in
  --quick) seconds=10; parallel=2; shift ;;
  ''|*[!0-9]*) ;;
  *) seconds=$1; shift ;;
esac
wanted=("$@")

FUZZ_BUILD=$BUILD_ROOT/fuzz
CORPORA=$REPO_ROOT/tests/fuzz/corpus
WORK=$FUZZ_BUILD/corpus
FINDINGS=$FUZZ_BUILD/findings
LOGS=$FUZZ_BUILD/logs
mkdir -p "$WORK" "$FINDINGS" "$LOGS"

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (scripts/install-deps.sh)"; exit 1; }
rm -f "$BUILD_ROOT/logs/build-fuzz.log"
if ! logged build-fuzz nice -n 10 cmake -S "$REPO_ROOT" -B "$FUZZ_BUILD" -DVEXLO_FUZZ=ON \
       -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release ||
   ! logged build-fuzz nice -n 10 cmake --build "$FUZZ_BUILD" --target fuzz_harnesses -j "$JOBS"; then
  echo "fuzz: build failed"; exit 1
fi

harnesses=()
for binary in "$FUZZ_BUILD"/tests/fuzz/*_fuzz; do
  [ -x "$binary" ] || continue
  name=$(basename "$binary")
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $name "* ]]; then continue; fi
  harnesses+=("$name")
done
[ ${#harnesses[@]} -gt 0 ] || { echo "fuzz: no harness built"; exit 1; }

# One harness: its corpus once, then the timed run. Writes its summary line to $LOGS/<name>.line.
run_harness() {
  local name=$1 binary=$FUZZ_BUILD/tests/fuzz/$1 log=$LOGS/$1.log
  local corpus=$CORPORA/$name work=$WORK/$name
  mkdir -p "$work"
  local seeds=(); [ -d "$corpus" ] && seeds=("$corpus")
  # The HTML harness also starts from the viewer's own test pages.
  [ "$name" = html_fuzz ] && seeds+=("$REPO_ROOT/tests/fixtures/html")
  local common=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$FINDINGS/$name-")
  if ! nice -n 10 "$binary" "${common[@]}" -runs=0 "${seeds[@]}" >"$log" 2>&1; then
    echo "$name: FAILED on its corpus (see $log)" >"$LOGS/$name.line"; return
  fi
  if ! nice -n 10 "$binary" "${common[@]}" -max_total_time="$seconds" -print_final_stats=1 \
         "$work" "${seeds[@]}" >>"$log" 2>&1; then
    local found; found=$(grep -o "Test unit written to .*" "$log" | tail -1)
    echo "$name: FOUND something (${found:-see $log})" >"$LOGS/$name.line"; return
  fi
  local runs speed
  runs=$(awk '/^stat::number_of_executed_units:/ { n = $2 } END { print n }' "$log")
  speed=$(awk '/^stat::average_exec_per_sec:/ { n = $2 } END { print n }' "$log")
  echo "$name: ${runs:-0} runs, ${speed:-0} exec/s, clean" >"$LOGS/$name.line"
}

running=0
for name in "${harnesses[@]}"; do
  rm -f "$LOGS/$name.line"
  run_harness "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then wait -n; running=$((running - 1)); fi
done
wait

status=0
for name in "${harnesses[@]}"; do
  line=$(cat "$LOGS/$name.line" 2>/dev/null || echo "$name: did not report")
  echo "$line"
  [[ "$line" == *", clean" ]] || status=1
done
exit $status
