#!/usr/bin/env bash
# Builds the game (build/) and packs its installation into
# dist/tuublark_<version>_amd64.deb with CPack, then checks the package:
# installed into a staging root with dpkg-deb -x and started from an
# unrelated folder, it plays the golden input to the golden trace, the same
# as the build folder's game; desktop-file-validate and appstreamcli accept
# its desktop entry and metainfo; lintian reports no error.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

mkdir -p dist
rm -f dist/tuublark_*.deb
(cd build && cpack -G DEB -B "$root/dist/cpack" >/dev/null)
mv dist/cpack/tuublark_*.deb dist/
rm -rf dist/cpack
deb=$(ls dist/tuublark_*.deb)
echo "Made $deb ($(du -k "$deb" | cut -f1) KB)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
mkdir "$work/elsewhere"
replay() {
  (cd "$work/elsewhere" && "$1" --headless --frames 20000 \
    --input "$root/tests/replays/golden-input.txt" --trace "$2" >/dev/null)
}
replay "$work/root/usr/games/tuublark" "$work/installed.jsonl"
replay "$root/build/tuublark" "$work/build.jsonl"
cmp "$work/installed.jsonl" "$work/build.jsonl"
zcat tests/replays/golden-trace.jsonl.gz | cmp - "$work/installed.jsonl"
echo "Installed game: golden trace, from an unrelated folder"

desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
# lintian: errors fail; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "Package checks passed"
