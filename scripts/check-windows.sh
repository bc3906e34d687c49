#!/usr/bin/env bash
# Plays the Windows release (made by scripts/windows.sh) under Wine and
# holds it against the Linux game of the build folder:
# - headless over the golden input, its trace is byte-identical to the
#   Linux trace and to the golden trace; the input and the trace have
#   non-ASCII names, and so has the folder the game and its data are
#   unpacked into (UTF-8 names through the wide file functions);
# - windowed under Xvfb, its screenshot of the title screen (frame 80 of
#   the golden input) matches the Linux one within a small per-pixel
#   tolerance (8 of 255 in each channel);
# - with Wine's audio drivers off it plays silently and says so;
# - --version prints the project's version.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/game/CMakeCache.txt)
name=tuublark-$version-windows-x64
cmake --build build -j"$(nproc)" --target tuublark tuublark_imagediff >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "dist/$name.zip" -d "$work/ゲーム"
game=$work/ゲーム/$name/tuublark.exe
linux=$root/build/tuublark

# Debian's wine64 package puts no command on the PATH.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX=$root/build-windows/wine WINEDEBUG=-all
# Wine reads Linux file names in the locale's character set: the non-ASCII
# names below need UTF-8, whatever locale the caller has.
export LC_ALL=C.UTF-8
# No .NET or HTML engine prompts; no audio device.
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d"
if [ ! -d "$WINEPREFIX" ]; then "$wine" wineboot --init >/dev/null 2>&1; fi

# Runs "$@" in $work/run: Windows paths stay relative, the working
# directory holds no data, so each game finds its own beside it.
mkdir "$work/run"
run() { (cd "$work/run" && "$@"); }

[ "$(run "$wine" "$game" --version | tr -d '\r')" = "tuublark $version" ]
echo "Wine: --version prints $version"

cp tests/replays/golden-input.txt "$work/run/golden-entrée.txt"
run "$wine" "$game" --headless --frames 20000 --input golden-entrée.txt --trace "trace-ゲーム.jsonl"
run "$linux" --headless --frames 20000 --input golden-entrée.txt --trace linux.jsonl
cmp "$work/run/trace-ゲーム.jsonl" "$work/run/linux.jsonl"
zcat tests/replays/golden-trace.jsonl.gz | cmp - "$work/run/linux.jsonl"
echo "Wine: headless trace over the golden input equals the Linux trace"

# Wine's desktop process of the headless runs has no display: it must end
# before a windowed run starts one under Xvfb.
"$wineserver" -w
title=(--windowed --frames 80 --input golden-entrée.txt)
xvfb-run -a -s "-screen 0 1024x768x24" \
  bash -c "cd '$work/run' && '$wine' '$game' ${title[*]} --screenshot title-wine.png 2>wine.err"
xvfb-run -a -s "-screen 0 1024x768x24" \
  bash -c "cd '$work/run' && '$linux' ${title[*]} --screenshot title-linux.png 2>/dev/null"
build/tools/imagediff/tuublark_imagediff "$work/run/title-wine.png" "$work/run/title-linux.png" 8
grep -q "playing silently" "$work/run/wine.err"
echo "Wine: title screen matches Linux; without audio it says: $(grep -m1 'playing silently' "$work/run/wine.err")"
mkdir -p build-windows/check
cp "$work/run/title-wine.png" "$work/run/title-linux.png" build-windows/check/
