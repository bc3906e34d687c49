#!/usr/bin/env bash
# Builds (installing what it needs) and prints every benchmark figure, each
# as a ratio where it can be one. With --json FILE the figures are also
# written as one JSON object. The frame-cost and start-up figures run the
# game in a window under a virtual X server with Mesa's software OpenGL.
set -euo pipefail
cd "$(dirname "$0")/.."
json=""
if [ "${1:-}" = "--json" ]; then json="${2:?--json needs a file}"; fi
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tuublark sim_bench soak frame_bench mixer_bench >/dev/null
cd build

sim=$(./bench/sim_bench ../tests/replays/golden-input.txt 20000 5)
soak=$(./bench/soak --frames 216000)
frame=$(xvfb-run -a -s "-screen 0 1024x768x24" ./bench/frame_bench ./tuublark ../tests/replays/golden-input.txt 5000)
mix=$(./bench/mixer_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
      --benchmark_format=json 2>/dev/null)

python3 - "$sim" "$soak" "$frame" "$mix" "$json" <<'PY'
import json, sys
sim, soak, frame, mix = (json.loads(a) for a in sys.argv[1:5])
out = sys.argv[5]
median = next(b for b in mix["benchmarks"] if b.get("aggregate_name") == "median")
unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[median["time_unit"]]
pass_seconds = median["cpu_time"] * unit
figures = {
    "sim_frames_per_s": sim["sim_frames_per_s"],
    "frame_median_of_budget": frame["frame_median_of_budget"],
    "frame_worst_of_budget": frame["frame_worst_of_budget"],
    "startup_ms": frame["startup_ms"],
    "mix_pass_of_realtime": round(pass_seconds / (4096 / 44100), 6),
    "peak_rss_mb": soak["peak_rss_mb"],
    "rss_growth_mb": soak["rss_growth_mb"],
}
goals = {
    "sim_frames_per_s": (">=", 100000, "frames/s, %.0fx real time" % (sim["sim_frames_per_s"] / 60)),
    "frame_median_of_budget": ("<=", 0.25, "of a 16.7 ms frame (%.2f ms)" % frame["frame_median_ms"]),
    "frame_worst_of_budget": ("<=", 0.75, "of a 16.7 ms frame (%.2f ms; skin-change frames %d, worst %.2f ms)"
                              % (frame["frame_worst_ms"], frame["skin_change_frames"], frame["skin_change_worst_ms"])),
    "startup_ms": ("<=", 300, "ms, process start to the first presented frame"),
    "mix_pass_of_realtime": ("<=", 0.002, "of the 92.9 ms a 4096-frame pass lasts (%.1f us)" % (pass_seconds * 1e6)),
    "peak_rss_mb": ("<=", 150, "MB peak resident over a one-hour headless game"),
    "rss_growth_mb": ("<", 1, "MB growth between minute 10 and minute 60"),
}
for name, value in figures.items():
    op, goal, what = goals[name]
    ok = value >= goal if op == ">=" else value <= goal if op == "<=" else value < goal
    print("%-24s %12s  %s  (goal %s %s: %s)" % (name, value, what, op, goal, "met" if ok else "NOT met"))
if out:
    with open(out, "w") as f:
        json.dump(figures, f, indent=1)
        f.write("\n")
PY
