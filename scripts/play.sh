#!/usr/bin/env bash
# Builds the game (installing what it needs) and starts it. Options are
# passed on, e.g. scripts/play.sh --windowed
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tuublark
exec build/tuublark "$@"
