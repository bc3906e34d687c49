// A small synthesiser: a stereo sample buffer and the instruments the drum
// loops and effect sounds are played with, all from oscillators and seeded
// noise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/assetgen/canvas.h"

namespace tuublark::assetgen {

constexpr int kSampleRate = 44100;

struct StereoBuffer {
    std::vector<float> Left, Right;

    explicit StereoBuffer(size_t frames = 0) : Left(frames, 0.0f), Right(frames, 0.0f) {}
    size_t Frames() const { return Left.size(); }
    // Adds one sample at `frame` (ignored outside the buffer); pan -1..1.
    void Add(long frame, double value, double pan) {
        if (frame < 0 || static_cast<size_t>(frame) >= Left.size()) return;
        Left[frame] += static_cast<float>(value * (pan <= 0 ? 1.0 : 1.0 - pan));
        Right[frame] += static_cast<float>(value * (pan >= 0 ? 1.0 : 1.0 + pan));
    }
    // Scales so the loudest sample reaches `peak`, with a gentle saturation
    // on the way so the drums stay punchy.
    void Master(double drive, double peak);
    // Scales to the integrated loudness `lufs` (see loudness.h).
    void SetLoudness(double lufs);
    // Fades the first and last `frames` samples to silence so the sound
    // starts and stops without a click.
    void FadeEdges(size_t inFrames, size_t outFrames);
};

double NoteFrequency(double root, int semitones);

class Synth {
public:
    Synth(StereoBuffer& out, uint32_t noiseSeed) : out_(out), noise_(noiseSeed) {}

    void Kick(long at, double gain, double punch = 1.0);
    void Snare(long at, double gain, double pan = 0.0);
    void Clap(long at, double gain, double pan = 0.0);
    void Hat(long at, double gain, bool open, double pan);
    void Shaker(long at, double gain, double pan);
    void Tom(long at, double frequency, double gain, double pan);
    void Conga(long at, double frequency, double gain, double pan);
    void Cowbell(long at, double gain, double pan);
    void Rim(long at, double gain, double pan);
    // A filtered saw bass note of `length` frames.
    void Bass(long at, long length, double frequency, double gain, double brightness = 1.0);
    // A plucked square-ish note, panned.
    void Pluck(long at, long length, double frequency, double gain, double pan);
    // A short organ-like chord stab (offbeat skank, keys).
    void Stab(long at, long length, double frequency, const std::vector<int>& chord, double gain, double pan);

    double Noise() { return noise_.Unit() * 2.0 - 1.0; }

private:
    StereoBuffer& out_;
    Random noise_;
};

}  // namespace tuublark::assetgen
