#!/usr/bin/env bash
# Runs the tests that open a display RUNS times in a row (default 20) while
# `stress-ng --cpu 4` keeps the processors busy beside them, in the normal
# build (build/) and then the AddressSanitizer build (build-asan/), each
# configured and built first as scripts/test.sh does. Shows whether the
# suite depends on the machine's speed; not part of CI, which it would slow
# down. Prints a line per run and a count per build; exits 1 if any run
# failed, keeping its output in stress-logs/.
# --together runs the builds' loops side by side instead of one after the
# other, each one loading the others beside stress-ng: harsher, and shorter
# in all.
#   usage: scripts/stress-tests.sh [--together] [RUNS] [build|build-asan ...]
set -euo pipefail
cd "$(dirname "$0")/.."
together=0
[ "${1:-}" = --together ] && { together=1; shift; }
runs=${1:-20}
shift || true
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(build build-asan)
command -v stress-ng >/dev/null || scripts/install-deps.sh
. scripts/display-tests.sh
jobs=$(nproc)

for folder in "${builds[@]}"; do
  sanitize=OFF
  [ "$folder" = build-asan ] && sanitize=ON
  cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUUBLARK_SANITIZE=$sanitize >/dev/null
  cmake --build "$folder" -j"$jobs" >/dev/null
done

stress-ng --cpu 4 --quiet &
load=$!
trap 'kill $load 2>/dev/null; wait $load 2>/dev/null || true' EXIT
mkdir -p stress-logs
# Runs one build's loop; its X servers are numbered from its own base so
# that loops side by side never race for the same free display number.
loop() {
  local folder=$1 servers=$2 passed=0 run log
  for run in $(seq "$runs"); do
    log="$PWD/stress-logs/$folder-$run.log"
    if (
      cd "$folder"
      export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
      export ASAN_OPTIONS=abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:detect_leaks=0
      xvfb-run -a -n "$servers" -s "$xvfb" ctest --output-on-failure -j"$jobs" -R "$display_tests"
    ) >"$log" 2>&1; then
      passed=$((passed + 1))
      rm -f "$log"
      echo "$folder run $run: passed ($(uptime | sed 's/.*load average: //'))"
    else
      echo "$folder run $run: FAILED, see $log"
      grep -E '^\s*[0-9]+ - |\(Failed\)|\(Timeout\)' "$log" || true
    fi
  done
  echo "$folder: $passed of $runs runs passed"
  [ "$passed" = "$runs" ]
}

failed=0
pids=()
servers=99
for folder in "${builds[@]}"; do
  if [ $together = 1 ]; then
    loop "$folder" $servers &
    pids+=($!)
  else
    loop "$folder" $servers || failed=1
  fi
  servers=$((servers + 100))
done
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
exit $failed
