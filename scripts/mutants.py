#!/usr/bin/env python3
"""Seeded single-token mutants of the rules, the drawing and the engine: how
many of them the test suite catches.

  scripts/mutants.py list ROOT               the sample: id, file, line, change
  scripts/mutants.py run ROOT BUILD OUT [IDS]
      applies each mutant to the sources under ROOT, rebuilds BUILD, runs
      ctest (stopping at the first failure, without the slow process and
      generator tests), reverts, and appends one JSON line per mutant to OUT

It edits the sources in place: run it on a tree nobody is building from.
The sample depends on the code, so compare test suites on the same code.
"""
import json, random, re, subprocess, sys, os, time

FILES = [
    "game/board/board_update.cpp", "game/board/marking.cpp", "game/board/pieces.cpp",
    "game/board/scoring.cpp", "game/board/sweep.cpp", "game/board/sweep_sounds.cpp",
    "game/board/board_effects.cpp", "game/frame_loop.cpp", "game/player_input.cpp",
    "game/presentation/backdrop_panel.cpp", "game/presentation/effects.cpp", "game/presentation/menu_drawing.cpp",
    "game/presentation/play_screen.cpp", "game/presentation/skins.cpp", "game/presentation/sweep_line.cpp",
    "game/presentation/title_screen.cpp", "game/presentation/title_sweep.cpp",
    "engine/audio/mixer.cpp", "engine/audio/mix_voice.cpp", "engine/audio/mixer_driver.cpp",
    "engine/audio/frame_clock.cpp", "engine/audio/output_clock.cpp",
    "engine/audio/wav_loader.cpp", "engine/audio/ogg_loader.cpp",
    "engine/image/bmp_loader.cpp", "engine/image/png_loader.cpp", "engine/image/tga_loader.cpp",
    "engine/image/jpeg_loader.cpp", "engine/image/pixmap.cpp", "engine/input/input_script.cpp",
    "engine/text/font.cpp", "engine/text/freetype_font.cpp",
]
SEED = 11
COUNT = 40
SWAPS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "), (" == ", " != "),
         (" != ", " == "), (" + ", " - "), (" - ", " + "), (" && ", " || "), (" || ", " && ")]
EXCLUDE = "FaultInjection|Generator|WholeGame|soak_one_hour|MixerThreadsTest"


def candidates(root):
    out = []
    for f in FILES:
        lines = open(os.path.join(root, f)).read().split("\n")
        for n, line in enumerate(lines):
            code = line.split("//")[0]
            if not code.strip() or code.lstrip().startswith("#"):
                continue
            for a, b in SWAPS:
                for m in re.finditer(re.escape(a), code):
                    out.append((f, n, m.start(), a, b))
            for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", code):
                v = m.group(1)
                out.append((f, n, m.start(), v, str(int(v) + 1)))
    return out


def sample(root):
    # The files in a seeded order, one mutant from each in turn until there
    # are COUNT, so no single file with many tokens dominates.
    rnd = random.Random(SEED)
    left = {f: [m for m in candidates(root) if m[0] == f] for f in FILES}
    files = rnd.sample(FILES, len(FILES))
    out = []
    while len(out) < COUNT:
        for f in files:
            if left[f] and len(out) < COUNT:
                out.append(left[f].pop(rnd.randrange(len(left[f]))))
    return out


def apply(root, m, undo=False):
    f, n, col, a, b = m
    path = os.path.join(root, f)
    lines = open(path).read().split("\n")
    line = lines[n]
    if undo:
        a, b = b, a
    assert line[col:col + len(a)] == a, (m, line)
    lines[n] = line[:col] + b + line[col + len(a):]
    open(path, "w").write("\n".join(lines))


def main():
    cmd, root = sys.argv[1], sys.argv[2]
    muts = sample(root)
    if cmd == "list":
        for i, m in enumerate(muts):
            line = open(os.path.join(root, m[0])).read().split("\n")[m[1]].strip()
            print(i, m[0], m[1] + 1, repr(m[3]), "->", repr(m[4]), "|", line)
        return
    build, out = sys.argv[3], sys.argv[4]
    only = set(int(x) for x in sys.argv[5].split(",")) if len(sys.argv) > 5 else None
    with open(out, "a") as log:
        for i, m in enumerate(muts):
            if only is not None and i not in only:
                continue
            apply(root, m)
            t = time.time()
            try:
                b = subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True)
                if b.returncode != 0:
                    result = "build-failed"
                else:
                    r = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "ctest", "-j2",
                                        "--stop-on-failure", "-E", EXCLUDE, "--timeout", "120"],
                                       cwd=build, capture_output=True, text=True)
                    failed = re.findall(r"\d+ - (\S+) \(", r.stdout)
                    result = "killed" if r.returncode != 0 else "survived"
            finally:
                apply(root, m, undo=True)
            rec = {"id": i, "file": m[0], "line": m[1] + 1, "from": m[3], "to": m[4], "result": result,
                   "seconds": round(time.time() - t)}
            if result == "killed":
                rec["failed"] = failed[:3]
            log.write(json.dumps(rec) + "\n")
            log.flush()
        subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True)


main()
