#!/usr/bin/env bash
# Plays the browser release (made by scripts/web.sh) in Debian's headless
# Chromium, driven by puppeteer-core (its version pinned by
# tests/web/package-lock.json), with the zip unpacked and served by
# python3's web server on 127.0.0.1, and holds it against the Linux game of
# the build folder (tests/web/check.js):
# - headless over the golden input, its trace is byte-identical to the
#   Linux trace;
# - its title screen (frame 80 of the golden input), drawn through WebGL,
#   matches the Linux screenshot within 8 of 255 in each channel;
# - after a click the audio callback runs and its output is not silent;
# - a kept high score survives a reload;
# - touch starts a game and moves a piece (seen in the trace);
# - a player's run goes through the options, a pause and the demo;
# - nothing is written to the console as an error.
#   scripts/check-web.sh [--bench | --shots]   (instead: print the web figures
#   as JSON, or write the page's pictures for the README to docs/)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-web/game/CMakeCache.txt)
name=tuublark-$version-web
cmake --build build -j"$(nproc)" --target tuublark tuublark_imagediff >/dev/null

# puppeteer-core from the lock file; Debian's Chromium, no download.
if ! cmp -s tests/web/package-lock.json tests/web/node_modules/.package-lock.json 2>/dev/null; then
  (cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi

work=$(mktemp -d)
server=
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
unzip -q "dist/$name.zip" -d "$work/site"
cp tests/replays/golden-input.txt "$work/site/$name/"

# A free port, then the server; it is ready once it answers.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >"$work/server.log" 2>&1 &
server=$!
until python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null; do
  kill -0 "$server" 2>/dev/null || { echo "check-web: the web server did not start" >&2; cat "$work/server.log" >&2; exit 1; }
done
url=http://127.0.0.1:$port/$name

case "${1:-}" in
  --bench) node tests/web/check.js bench "$url" "$work/site/$name"; exit 0 ;;
  --shots) node tests/web/check.js shots "$url" "$root/docs"; exit 0 ;;
esac

mkdir "$work/run"
(cd "$work/run" && "$root/build/tuublark" --headless --frames 20000 --input "$root/tests/replays/golden-input.txt" \
  --trace linux.jsonl)
golden_sha=$(sha256sum "$work/run/linux.jsonl" | cut -d' ' -f1)
node tests/web/check.js check "$url" "$golden_sha" "$work/run"

xvfb-run -a -s "-screen 0 1024x768x24" \
  build/tuublark --windowed --frames 80 --input tests/replays/golden-input.txt \
  --screenshot "$work/run/title-linux.png" 2>/dev/null
build/tools/imagediff/tuublark_imagediff "$work/run/title-web.png" "$work/run/title-linux.png" 8
echo "check-web: the browser's title screen matches the Linux screenshot"
