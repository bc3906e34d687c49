#!/usr/bin/env bash
# Checks the sources' layout, builds everything (installing what it needs)
# and runs every test. Tests
# that draw with OpenGL run under a virtual X server. Then the suite runs
# again built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan), a short ThreadSanitizer run (build-tsan), and each fuzz
# target runs 20 seconds on its corpus. Last, the three releases are made and
# checked: the .deb (scripts/package-deb.sh), the Windows zip, played
# under Wine (scripts/windows.sh, scripts/check-windows.sh), and the web
# page, played in headless Chromium (scripts/web.sh, scripts/check-web.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Layout first: it takes seconds and names the files to run scripts/format.sh on.
scripts/format.sh --check
. scripts/display-tests.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
(cd build && xvfb-run -a -s "$xvfb" ctest --output-on-failure -j"$(nproc)" "$@")

# Sanitizers: any report fails its test. Tests that open the X display
# through SDL and OpenGL keep leak checking off: Mesa's driver is unloaded
# before the leak check runs, so what it keeps cannot be told from a leak
# of ours. Every other test (headless game runs included) checks leaks.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUUBLARK_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
sanitizers=abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
(
  cd build-asan
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ASAN_OPTIONS=$sanitizers:detect_leaks=1 xvfb-run -a -s "$xvfb" \
    ctest --output-on-failure -j"$(nproc)" -E "$display_tests" "$@"
  ASAN_OPTIONS=$sanitizers:detect_leaks=0 xvfb-run -a -s "$xvfb" \
    ctest --output-on-failure -j"$(nproc)" -R "$display_tests" "$@"
)

# ThreadSanitizer: the engine's lifetimes. The game plays a headless stretch
# with its worker threads and stops on a display that cannot open (a fatal
# error unwinding through the engine); the engine test does the same in
# process. Any report fails. Run from build/, where the assets are.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS=-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build build-tsan -j"$(nproc)" --target tuublark engine_tests
(
  cd build
  export TSAN_OPTIONS="halt_on_error=1 exitcode=66 suppressions=$PWD/../tests/tsan.supp"
  ../build-tsan/tests/engine/engine_tests
  ../build-tsan/tuublark --headless --frames 3000 --input ../tests/replays/golden-input.txt
  status=0
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ../build-tsan/tuublark --windowed --frames 5 || status=$?
  [ "$status" -eq 255 ] || { echo "TSan fatal-error run: exit status $status, expected 255" >&2; exit 1; }
)

scripts/fuzz.sh 20

scripts/package-deb.sh
scripts/windows.sh
scripts/check-windows.sh
scripts/web.sh
scripts/check-web.sh
