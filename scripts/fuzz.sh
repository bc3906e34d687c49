#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for SECONDS
# (default 20) on a temporary copy of its seed corpus and its kept
# regressions, so the repository is never written to. New crashing inputs
# are copied to build-fuzz/findings/<target>/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     TARGET: bmp png jpeg tga wav ogg font replay
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-20}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(bmp png jpeg tga wav ogg font replay)

fuzzers=()
for t in "${targets[@]}"; do fuzzers+=("${t}_fuzz"); done
# Several runs may share build-fuzz: one builds at a time.
mkdir -p build-fuzz
(
  flock 9
  cmake -S . -B build-fuzz -DTUUBLARK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build-fuzz -j"$(nproc)" --target "${fuzzers[@]}"
) 9>build-fuzz/.build-lock

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# AddressSanitizer holds freed memory back (256 MB by default) to catch
# use after free; a picture loader that makes and drops a 4096x4096
# buffer fills that hold within a few inputs and the run then meets the
# 512 MB limit on memory the program no longer owns. 64 MB still catches
# the use of a buffer freed by the same input.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:quarantine_size_mb=64}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for t in "${targets[@]}"; do
  corpus="$work/$t/corpus" artifacts="$work/$t/artifacts"
  mkdir -p "$corpus" "$artifacts"
  cp -r fuzz/corpus/"$t"/. "$corpus"/
  [ -d fuzz/regressions/"$t" ] && cp -r fuzz/regressions/"$t"/. "$corpus"/
  echo "== ${t}_fuzz: ${seconds}s on $(ls "$corpus" | wc -l) inputs"
  if ! build-fuzz/fuzz/"${t}_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=512 \
       -print_final_stats=1 -artifact_prefix="$artifacts"/ "$corpus" >"$work/$t/log" 2>&1; then
    failed+=("$t")
    mkdir -p build-fuzz/findings/"$t"
    cp "$artifacts"/* build-fuzz/findings/"$t"/ 2>/dev/null || true
    tail -n 60 "$work/$t/log"
    echo "== ${t}_fuzz FAILED; inputs kept in $root/build-fuzz/findings/$t/"
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$work/$t/log" | tail -n 2 || true
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found problems in: ${failed[*]}"
  exit 1
fi
echo "Fuzzing: no findings in ${targets[*]}"
