#!/usr/bin/env bash
# Rewrites the golden screens with the frames the build draws now. Run it
# only when what is drawn changes on purpose (or the golden replay does),
# look at every picture that changed and say in the commit what changed.
#
#   tests/screens/regenerate.sh [BUILD_DIR]      (default: build)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)

cmake --build "$build_dir" -j2 --target golden_screens_test
cd "$build_dir"   # assets are found from here, as in the test
TUUBLARK_REGENERATE_SCREENS=1 sh "$source_dir/tests/support/own_display.sh" \
  ./tests/game/presentation/golden_screens_test --gtest_brief=1
ls -l "$source_dir/tests/screens/"*.png
