#include "tools/assetgen/drum_loops.h"

#include <cmath>
#include <cstring>
#include <string>

#include "engine/audio/frame_clock.h"
#include "game/frame_loop.h"
#include "game/presentation/skins.h"

namespace tuublark::assetgen {
namespace {

enum class Perc { None, Tom, Conga, Cowbell, Rim, Shaker };
enum class Lead { None, Pluck, MinorStab, MajorStab };

// One groove on a grid of sixteenth notes. Patterns repeat when shorter
// than the loop. Drums: 'x' hit, 'X' accent, 'o' soft; hats also 'O' open.
// Notes: '0'..'9', 'a'.. are semitones above the root, '-' holds the
// previous note, '.' rests. Percussion letters 'a', 'b', 'c' pick pitches.
struct Groove {
    int Beats;
    double Swing;  // lag of every second sixteenth, as a fraction of a step
    const char* Kick;
    const char* Snare;
    const char* Clap;
    const char* Hat;
    Perc PercKind;
    const char* PercPattern;
    double BassRoot;
    const char* Bass;
    Lead LeadKind;
    double LeadRoot;
    const char* LeadPattern;
};

const Groove kGrooves[10] = {
    // 1: 120 bpm house, four on the floor, open hats on the off-beats.
    {8, 0.0, "X...x...X...x...", "................", "....x.......x...", "-.O.-.O.-.O.-.Ox", Perc::Shaker,
     "..x...x...x..xx.", 55.0, "0..0..0.3..3.57.0..0..0.a..8.75.", Lead::Pluck, 220.0,
     "7.c.3.c.7.c.3.c.5.a.3.a.7.c.f.c."},
    // 2: 145 bpm breakbeat.
    {8, 0.0, "X.........x.....x.x.......x.....", "....X.......X..o....X..o....X.oo", "................",
     "x-x-x-xOx-x-x-x-x-x-x-xOx-x-xOx-", Perc::Rim, "..x.....x.....x.", 41.2, "0.....0.3...5.7.0.....0.a...7.5.",
     Lead::None, 0, ""},
    // 3: 134 bpm tribal toms and congas.
    {8, 0.0, "X..x..x...x..x..", "................", "............x...", "..x...x...x...x.", Perc::Tom,
     "a.b.c.b.aab.c..c", 36.7, "0-....0-..3-..5-0-....0-..7-..5-", Lead::Pluck, 293.7,
     "0...3...5...7...a...7...5...3..."},
    // 4: 77 pixels per second, 16 beats: 154 bpm electro-punk with cowbell.
    {16, 0.0, "X...x...X...x..x", "....X.......X...", "................", "x.x.x.x.x.x.x.xO", Perc::Cowbell,
     "x..x..x.x..x..x.", 49.0, "0.c.0.c.0.c.3.f.5.h.5.h.7.j.a.7.", Lead::None, 0, ""},
    // 5: 133 bpm shuffle.
    {8, 0.33, "X.....x.X.....x.", "....X.......X...", "................", "x.xxx.xxx.xxx.xO", Perc::Shaker,
     "xxxxxxxxxxxxxxxx", 43.65, "0...4...7...9...a...9...7...4...", Lead::MajorStab, 174.6,
     "..0...0...0...0...5...5...5...5."},
    // 6: 174 bpm drum and bass.
    {8, 0.0, "X.........x.......X.......x.....", "....X.......X.......X.......X..o", "................",
     "x-x-x-x-x-x-x-xOx-x-x-x-x-x-x-x-", Perc::Rim, ".......x.......x......x.....x...", 41.2,
     "0-------5---3---0-------7---a---", Lead::Pluck, 329.6, "0.......7.......3.......5......."},
    // 7: 103 bpm funk.
    {8, 0.1, "X..x..x...x.x...", "....X..o.o..X..o", "................", "xxxxxxxOxxxxxxxO", Perc::Conga,
     "..a.b..a.ab.b..a", 46.25, "0..0.c..3.5.7.0.0..0.c..a.7.5.3.", Lead::MinorStab, 185.0,
     "....0.......0..0....5.......3..."},
    // 8: 88 bpm boom bap with a lazy swing.
    {8, 0.22, "X......x.x......", "....X.......X...", "................", "x.x.x.x.x.x.x.x.", Perc::Shaker,
     "..x...x...x...x.", 55.0, "0.....3.......5.0.....3...7...5.", Lead::MinorStab, 220.0,
     "0.......3.......8.......7......."},
    // 9: 90 bpm one-drop reggae, skank chords on the off-beats.
    {8, 0.12, "........X.......", "........x.......", "................", "..x...x...x...x.", Perc::Rim,
     "........x.......", 49.0, "0..0....5.7.....3..3....5.7.....", Lead::MajorStab, 196.0,
     "..0...0...0...0...5...5...7...7."},
    // 10: 60 pixels per second, 16 beats: 120 bpm electro with an arpeggio.
    {16, 0.0, "X...x...X..x.x..", "................", "....X.......X...", "xxOxxxOxxxOxxxOx", Perc::Cowbell,
     "x.......x..x....", 41.2, "0-.0-.0.3-.3-.3.5-.5-.5.7-.a-.7.", Lead::Pluck, 329.6,
     "0370c7303703a7305850a5807a7f7a70"},
};

char StepChar(const char* pattern, long step) {
    size_t n = std::strlen(pattern);
    return n == 0 ? '.' : pattern[step % static_cast<long>(n)];
}

int Semitones(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return 10 + (c - 'a');
    return -1;
}

// Steps a note lasts: its own and every '-' after it.
long HeldSteps(const char* pattern, long step, long totalSteps) {
    long steps = 1;
    while (step + steps < totalSteps && StepChar(pattern, step + steps) == '-') ++steps;
    return steps;
}

double Gain(char c) { return c == 'X' || c == 'O' ? 1.0 : c == 'o' || c == '-' ? 0.45 : 0.75; }

}  // namespace

long DrumLoopFrames(int number) {
    return static_cast<long>(SweepPassFrames(SkinSweepSpeed((number - 1) % 10 + 1))) * kFrameSamples;
}

StereoBuffer RenderDrumLoop(int number) {
    const Groove& g = kGrooves[(number - 1) % 10];
    const long frames = DrumLoopFrames(number);
    StereoBuffer out(static_cast<size_t>(frames));
    Synth synth(out, 0xD0000000u + static_cast<uint32_t>(number));
    const long steps = g.Beats * 4;
    const double stepFrames = static_cast<double>(frames) / steps;
    auto stepStart = [&](long step) {
        double lag = (step % 2 == 1) ? g.Swing * stepFrames : 0.0;
        return static_cast<long>(std::lround(step * stepFrames + lag));
    };
    for (long step = 0; step < steps; ++step) {
        const long at = stepStart(step);
        char c;
        if ((c = StepChar(g.Kick, step)) != '.') synth.Kick(at, 0.95 * Gain(c));
        if ((c = StepChar(g.Snare, step)) != '.') synth.Snare(at, 0.6 * Gain(c), 0.05);
        if ((c = StepChar(g.Clap, step)) != '.') synth.Clap(at, 0.55 * Gain(c), -0.05);
        if ((c = StepChar(g.Hat, step)) != '.') {
            bool open = c == 'O';
            synth.Hat(at, (open ? 0.22 : 0.28) * Gain(c), open, 0.3);
        }
        if ((c = StepChar(g.PercPattern, step)) != '.') {
            double pitch = c == 'b' ? 1.35 : c == 'c' ? 1.8 : 1.0;
            double pan = (step % 4 < 2) ? -0.45 : 0.45;
            switch (g.PercKind) {
                case Perc::Tom: synth.Tom(at, 95 * pitch, 0.55, pan); break;
                case Perc::Conga: synth.Conga(at, 210 * pitch, 0.4, pan); break;
                case Perc::Cowbell: synth.Cowbell(at, 0.22, -0.35); break;
                case Perc::Rim: synth.Rim(at, 0.35, -0.4); break;
                case Perc::Shaker: synth.Shaker(at, 0.18, 0.5); break;
                case Perc::None: break;
            }
        }
        int note = Semitones(StepChar(g.Bass, step));
        if (note >= 0) {
            long length = stepStart(step + HeldSteps(g.Bass, step, steps)) - at - 200;
            synth.Bass(at, length, NoteFrequency(g.BassRoot, note), 0.5);
        }
        if (g.LeadKind != Lead::None && (note = Semitones(StepChar(g.LeadPattern, step))) >= 0) {
            long length = stepStart(step + HeldSteps(g.LeadPattern, step, steps) + 1) - at;
            double freq = NoteFrequency(g.LeadRoot, note);
            double pan = (step / 2) % 2 ? 0.35 : -0.35;
            if (g.LeadKind == Lead::Pluck) synth.Pluck(at, length, freq, 0.16, pan);
            else
                synth.Stab(
                    at, length, freq,
                    g.LeadKind == Lead::MinorStab ? std::vector<int>{0, 3, 7, 12} : std::vector<int>{0, 4, 7, 12}, 0.2,
                    pan);
        }
    }
    out.Master(1.3, 0.85);
    // The last notes are cut at the loop's end: fade the final 8 ms so the
    // next pass's start follows without a click.
    out.FadeEdges(32, 352);
    out.SetLoudness(kLoopLoudness);
    return out;
}

}  // namespace tuublark::assetgen
