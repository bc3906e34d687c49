#!/usr/bin/env bash
# Rewrites the golden replays: the scripted session's input file and the
# compressed trace the game gives for it, and the built-in player's game
# through all ten skins (golden-ten-skins-*) with its trace. Run it only for
# a change of the game's behaviour that is meant, and say in the commit what
# changed.
#
#   tests/replays/regenerate.sh [BUILD_DIR]      (default: build)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-$source_dir/build}" && pwd)
replays="$source_dir/tests/replays"

cmake --build "$build_dir" --target tuublark make_golden_input make_ten_skin_input
cd "$build_dir"   # assets are found from here, as in the replay test
./tools/replay/make_golden_input "$replays/golden-input.txt"
trace=$(mktemp)
trap 'rm -f "$trace"' EXIT
./tuublark --headless --frames 20000 --input "$replays/golden-input.txt" --trace "$trace"
gzip -9 -n -c "$trace" > "$replays/golden-trace.jsonl.gz"
echo "golden replay rewritten: $(wc -l < "$trace") frames"

# The ten-skin game runs to the title after its game over; the tool says
# how many frames that takes.
frames=$(./tools/replay/make_ten_skin_input "$replays/golden-ten-skins-input.txt" | tee /dev/stderr |
         sed -n 's/^frames //p')
./tuublark --headless --frames "$frames" --input "$replays/golden-ten-skins-input.txt" --trace "$trace"
gzip -9 -n -c "$trace" > "$replays/golden-ten-skins-trace.jsonl.gz"
echo "ten-skin golden replay rewritten: $(wc -l < "$trace") frames"
