#!/usr/bin/env bash
# Rewrites the golden replay: the scripted session's input file and the
# compressed trace the game gives for it. Run it only for a change of the
# game's behaviour that is meant, and say in the commit what changed.
#
#   tests/replays/regenerate.sh [BUILD_DIR]      (default: build)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)
replays="$source_dir/tests/replays"

cmake --build "$build_dir" --target tuublark make_golden_input
cd "$build_dir"   # assets are found from here, as in the replay test
./tools/replay/make_golden_input "$replays/golden-input.txt"
trace=$(mktemp)
trap 'rm -f "$trace"' EXIT
./tuublark --headless --frames 20000 --input "$replays/golden-input.txt" --trace "$trace"
gzip -9 -n -c "$trace" > "$replays/golden-trace.jsonl.gz"
echo "golden replay rewritten: $(wc -l < "$trace") frames"
