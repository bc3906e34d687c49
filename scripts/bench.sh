#!/usr/bin/env bash
# Builds (installing what it needs) and prints every benchmark figure, each
# as a ratio where it can be one. With --json FILE the figures are also
# written as one JSON object. The frame-cost and start-up figures run the
# game in a window under a virtual X server with Mesa's software OpenGL; the
# web figures play the browser release in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
json=""
if [ "${1:-}" = "--json" ]; then json="${2:?--json needs a file}"; fi
scripts/install-deps.sh pulseaudio pulseaudio-utils
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tuublark sim_bench soak frame_bench mixer_bench music_bench autoplay_bench \
  >/dev/null
cd build

sim=$(./bench/sim_bench ../tests/replays/golden-input.txt 20000 5)
soak=$(./bench/soak --frames 216000)
# The built-in player over seeds 1-20, each game capped at 150,000 frames;
# the per-seed table goes to standard error.
autoplay=$(./bench/autoplay_bench --seeds 1 20 --cap 150000)
frame=$(xvfb-run -a -s "-screen 0 1024x768x24" ./bench/frame_bench ./tuublark ../tests/replays/golden-input.txt 5000)
mix=$(./bench/mixer_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
      --benchmark_format=json 2>/dev/null)
loudness=$(./bench/music_bench loudness)

# The music in time: the game paced at 60 Hz in a window over the first
# 100 s of the golden replay (skins 1 to 3, 22 loop restarts), played into a
# PulseAudio null sink and recorded from the sink's monitor; music_bench
# finds the loop starts in the recording. (SDL's disk
# audio driver sleeps whole milliseconds between periods and plays about 2%
# slow, which the game's clock must follow by re-anchoring: a seam measured
# on it measures that driver.)
work=$(mktemp -d)
pulse="$work/pulse"
mkdir -p "$pulse/run"
chmod 700 "$pulse/run"
export XDG_RUNTIME_DIR="$pulse/run"
HOME="$pulse" pulseaudio -n --daemonize=yes --exit-idle-time=-1 --log-target=file:"$pulse/log" \
  -L module-native-protocol-unix -L "module-null-sink sink_name=capture rate=44100 channels=2"
trap 'HOME="$pulse" pulseaudio --kill 2>/dev/null; rm -rf "$work"' EXIT
# A recording begun the moment the server starts keeps the sink's start-up
# timing (its first blocks are long), and the starts are then misplaced.
sleep 1
parec -d capture.monitor --raw --format=s16le --rate=44100 --channels=2 >"$work/capture.raw" &
recorder=$!
SDL_AUDIODRIVER=pulseaudio TUUBLARK_AUDIO_REPORT="$work/audio.json" \
  xvfb-run -a -s "-screen 0 1024x768x24" ./tuublark --windowed --input ../tests/replays/golden-input.txt \
  --frames 6000 --trace "$work/trace.jsonl" --profile "$work/profile.txt" 2>/dev/null
sleep 0.5
kill "$recorder"
wait "$recorder" 2>/dev/null || true
seams=$(./bench/music_bench seams "$work/capture.raw" "$work/trace.jsonl" "$work/profile.txt" || true)
audio=$(cat "$work/audio.json" 2>/dev/null || true)

# The largest picture a loader accepts, 4096x4096, as the first background:
# the game's peak resident memory headless, and in a window against the same
# window with the usual background (the software renderer keeps its own
# copy of every texture).
mkdir "$work/data"
# The game's data as installed (cmake/install.cmake), not what tests leave in build/.
cp -r Audio backgrounds graphics "$work/data/"
cp tuublark "$work/data/"
python3 - "$work/data/backgrounds/BG01.bmp" <<'PY'
import struct, sys, zlib
side = 4096
row = b"\0" + bytes((40, 90, 200)) * side
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(row * side, 9)) + chunk(b"IEND", b""))
PY
# Peak resident kB of 30 frames of the game in folder $1 with option $2,
# started through the rest.
peak_kb() {
  local dir=$1 mode=$2; shift 2
  (cd "$dir" && "$@" /usr/bin/time -f %M -o "$work/peak" ./tuublark "$mode" --seed 1 --frames 30 >/dev/null 2>&1)
  cat "$work/peak"
}
window=(env SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24")
picture="{\"headless_kb\": $(peak_kb "$work/data" --headless env),
 \"window_kb\": $(peak_kb "$work/data" --windowed "${window[@]}"),
 \"window_usual_kb\": $(peak_kb . --windowed "${window[@]}")}"

# The browser game's figures, in headless Chromium (scripts/check-web.sh).
cd ..
scripts/web.sh >/dev/null
web=$(scripts/check-web.sh --bench)
cd build

python3 - "$sim" "$soak" "$frame" "$mix" "$loudness" "$seams" "$audio" "$picture" "$autoplay" "$web" "$json" <<'PY'
import json, sys
sim, soak, frame, mix, loudness, seams, audio, picture, autoplay, web = (json.loads(a or "{}") for a in sys.argv[1:11])
# A capture without seams (no audio device, a game too slow) reads as -1.
for key in ("music_seam_ms_median", "music_seam_ms_max", "capture_clock_of_nominal",
            "capture_seam_ms_median_uncorrected"):
    seams.setdefault(key, -1)
for key in ("music_seams", "music_passes_late", "music_starts_found", "music_starts"):
    seams.setdefault(key, 0)
for key in ("worst_latency_frames", "mean_latency_frames", "sounds", "late_starts", "underruns", "jumps"):
    audio.setdefault(key, -1)
out = sys.argv[11]
median = next(b for b in mix["benchmarks"] if b.get("aggregate_name") == "median")
unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[median["time_unit"]]
pass_seconds = median["cpu_time"] * unit
figures = {
    "sim_frames_per_s": sim["sim_frames_per_s"],
    "frame_median_of_budget": frame["frame_median_of_budget"],
    "frame_worst_of_budget": frame["frame_worst_of_budget"],
    "startup_ms": frame["startup_ms"],
    "gles2_frame_ratio": frame["gles2_frame_ratio"],
    "mix_pass_of_realtime": round(pass_seconds / (4096 / 44100), 6),
    "peak_rss_mb": soak["peak_rss_mb"],
    "rss_growth_mb": soak["rss_growth_mb"],
    "music_seam_ms_median": seams["music_seam_ms_median"],
    "music_seam_ms_max": seams["music_seam_ms_max"],
    "audio_latency_ms": round(audio["worst_latency_frames"] * 1000 / 44100, 2),
    "loop_loudness_spread_lu": loudness["loop_loudness_spread_lu"],
    "largest_picture_peak_mb": round(picture["headless_kb"] / 1024),
    "largest_picture_window_mb": round((picture["window_kb"] - picture["window_usual_kb"]) / 1024),
    "autoplay_decision_us_median": autoplay["autoplay_decision_us_median"],
    "autoplay_decision_us_max": autoplay["autoplay_decision_us_max"],
    "autoplay_skin10_of_20": autoplay["autoplay_skin10_of_20"],
    "autoplay_median_frames_to_skin10": autoplay["autoplay_median_frames_to_skin10"],
    "web_transfer_kb": web["web_transfer_kb"],
    "web_first_frame_ms": web["web_first_frame_ms"],
    "web_frame_median_of_budget": web["web_frame_median_of_budget"],
    "web_frame_worst_of_budget": web["web_frame_worst_of_budget"],
    "web_sim_frames_per_s": web["web_sim_frames_per_s"],
}
goals = {
    "sim_frames_per_s": (">=", 100000, "frames/s, %.0fx real time" % (sim["sim_frames_per_s"] / 60)),
    "frame_median_of_budget": ("<=", 0.25, "of a 16.7 ms frame (%.2f ms)" % frame["frame_median_ms"]),
    "frame_worst_of_budget": ("<=", 0.75, "of a 16.7 ms frame (%.2f ms, the worst of three runs; worst frames %s; "
                              "skin-change frames %d, worst %.2f ms)"
                              % (frame["frame_worst_ms"], frame["frame_worst_frames"], frame["skin_change_frames"],
                                 frame["skin_change_worst_ms"])),
    "startup_ms": ("<=", 300, "ms, process start to the first presented frame"),
    "gles2_frame_ratio": ("<=", 1.5, "of the OpenGL 1.1 driver's whole unpaced frame, drawn and shown, by the "
                          "OpenGL ES 2.0 driver's (%.2f ms against %.2f ms; its game work %.2f ms)"
                          % (frame["gles2_frame_interval_ms"], frame["gl_frame_interval_ms"],
                             frame["gles2_frame_median_ms"])),
    "mix_pass_of_realtime": ("<=", 0.002, "of the 92.9 ms a 4096-frame pass lasts (%.1f us)" % (pass_seconds * 1e6)),
    "peak_rss_mb": ("<=", 150, "MB peak resident over a one-hour headless game"),
    "rss_growth_mb": ("<", 1, "MB growth between minute 10 and minute 60"),
    "music_seam_ms_median": ("<=", 2, "ms off seamless at a loop restart (%d seams of passes on time, %d passes "
                             "late; %d of %d starts found; capture clock %.4f of 44100 Hz, median uncorrected "
                             "%.1f ms)"
                             % (seams["music_seams"], seams["music_passes_late"], seams["music_starts_found"],
                                seams["music_starts"], seams["capture_clock_of_nominal"],
                                seams["capture_seam_ms_median_uncorrected"])),
    "music_seam_ms_max": ("<=", 5, "ms, the worst seam"),
    "audio_latency_ms": ("<=", 50, "ms at most from a frame to its sounds' first sample (mean %.1f ms over %d "
                         "sounds; %d late starts, %d underruns, %d re-anchors)"
                         % (audio["mean_latency_frames"] * 1000 / 44100, audio["sounds"], audio["late_starts"],
                            audio["underruns"], audio["jumps"])),
    "loop_loudness_spread_lu": ("<=", 2, "LU between the quietest and loudest drum loop (%.2f..%.2f LUFS)"
                                % (loudness["loop_loudness_min_lufs"], loudness["loop_loudness_max_lufs"])),
    "largest_picture_peak_mb": ("<=", 300, "MB peak resident, headless, with a 4096x4096 background"),
    "largest_picture_window_mb": ("<=", 200, "MB more than the usual background in a window (%d MB against %d MB)"
                                  % (picture["window_kb"] / 1024, picture["window_usual_kb"] / 1024)),
    "autoplay_decision_us_median": ("<=", 1000, "us of CPU time for the built-in player to choose a piece's place "
                                    "(99th percentile %.0f us, over %d pieces)"
                                    % (autoplay["autoplay_decision_us_p99"], autoplay["autoplay_decisions"])),
    "autoplay_decision_us_max": ("<=", 4000, "us of CPU time at worst, the least of three timings (wall clock at worst %.0f us, the machine "
                                 "being shared)" % autoplay["autoplay_decision_wall_us_max"]),
    "autoplay_skin10_of_20": (">=", 15, "of the 20 games of seeds 1-20 reach skin 10 within 150,000 frames"),
    "autoplay_median_frames_to_skin10": ("<=", 150000, "frames to skin 10, the median of the games that reach it"),
    "web_transfer_kb": ("<=", 5000, "kB, every file of the page gzip-compressed"),
    "web_first_frame_ms": ("<=", 3000, "ms, headless Chromium, navigation to the first title frame drawn"),
    "web_frame_median_of_budget": ("<=", 0.25, "of a 16.7 ms frame, 3000 frames of the golden input in the page"),
    "web_frame_worst_of_budget": ("<=", 0.75, "of a 16.7 ms frame, the worst of those"),
    "web_sim_frames_per_s": (">=", 100000, "headless frames/s in WebAssembly"),
}
for name, value in figures.items():
    op, goal, what = goals[name]
    ok = value >= goal if op == ">=" else 0 <= value <= goal if op == "<=" else value < goal
    print("%-24s %12s  %s  (goal %s %s: %s)" % (name, value, what, op, goal, "met" if ok else "NOT met"))
if out:
    with open(out, "w") as f:
        json.dump(figures, f, indent=1)
        f.write("\n")
PY
