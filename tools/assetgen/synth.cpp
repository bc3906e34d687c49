#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/loudness.h"

namespace tuublark::assetgen {
namespace {

constexpr double kTwoPi = 2.0 * M_PI;
constexpr double kRate = kSampleRate;

long Frames(double seconds) { return static_cast<long>(seconds * kRate); }

// One-pole filters, enough for shaping noise and saws.
struct LowPass {
    double A, Y = 0;
    explicit LowPass(double cutoff) : A(1.0 - std::exp(-kTwoPi * cutoff / kRate)) {}
    double operator()(double x) { return Y += A * (x - Y); }
};

struct HighPass {
    LowPass Low;
    explicit HighPass(double cutoff) : Low(cutoff) {}
    double operator()(double x) { return x - Low(x); }
};

}  // namespace

void StereoBuffer::Master(double drive, double peak) {
    double loudest = 0;
    for (size_t i = 0; i < Frames(); ++i) {
        Left[i] = static_cast<float>(std::tanh(Left[i] * drive));
        Right[i] = static_cast<float>(std::tanh(Right[i] * drive));
        loudest =
            std::max({loudest, std::fabs(static_cast<double>(Left[i])), std::fabs(static_cast<double>(Right[i]))});
    }
    if (loudest <= 0) return;
    const float scale = static_cast<float>(peak / loudest);
    for (size_t i = 0; i < Frames(); ++i) {
        Left[i] *= scale;
        Right[i] *= scale;
    }
}

void StereoBuffer::SetLoudness(double lufs) {
    const double now = IntegratedLoudness(std::vector<double>(Left.begin(), Left.end()),
                                          std::vector<double>(Right.begin(), Right.end()), kSampleRate);
    if (now <= -70.0) return;  // silence stays silence
    const float scale = static_cast<float>(std::pow(10.0, (lufs - now) / 20.0));
    for (size_t i = 0; i < Frames(); ++i) {
        Left[i] *= scale;
        Right[i] *= scale;
    }
}

void StereoBuffer::FadeEdges(size_t inFrames, size_t outFrames) {
    const size_t n = Frames();
    for (size_t i = 0; i < inFrames && i < n; ++i) {
        float g = static_cast<float>(i) / static_cast<float>(inFrames);
        Left[i] *= g;
        Right[i] *= g;
    }
    for (size_t i = 0; i < outFrames && i < n; ++i) {
        float g = static_cast<float>(i) / static_cast<float>(outFrames);
        Left[n - 1 - i] *= g;
        Right[n - 1 - i] *= g;
    }
}

double NoteFrequency(double root, int semitones) { return root * std::pow(2.0, semitones / 12.0); }

void Synth::Kick(long at, double gain, double punch) {
    const long n = Frames(0.42);
    double phase = 0;
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        double freq = 48 + 110 * punch * std::exp(-t * 28);
        phase += kTwoPi * freq / kRate;
        double env = std::exp(-t * 7.5) * std::min(1.0, i / 40.0);
        double click = i < 90 ? (1.0 - i / 90.0) * 0.25 * Noise() : 0;
        out_.Add(at + i, gain * (std::sin(phase) * env + click), 0);
    }
}

void Synth::Snare(long at, double gain, double pan) {
    const long n = Frames(0.26);
    HighPass hp(900);
    double phase = 0;
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        phase += kTwoPi * (185 + 40 * std::exp(-t * 40)) / kRate;
        double body = std::sin(phase) * std::exp(-t * 22) * 0.55;
        double snap = hp(Noise()) * std::exp(-t * 15);
        double env = std::min(1.0, i / 30.0);
        out_.Add(at + i, gain * env * (body + snap * 0.8), pan);
    }
}

void Synth::Clap(long at, double gain, double pan) {
    const long n = Frames(0.22);
    HighPass hp(1200);
    LowPass lp(5000);
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        // Three quick bursts, then the room.
        double bursts = 0;
        for (int b = 0; b < 3; ++b) {
            double tb = t - b * 0.011;
            if (tb >= 0) bursts = std::max(bursts, std::exp(-tb * 180));
        }
        double env = std::max(bursts, 0.6 * std::exp(-std::max(0.0, t - 0.022) * 18) * (t > 0.022));
        out_.Add(at + i, gain * env * lp(hp(Noise())), pan);
    }
}

void Synth::Hat(long at, double gain, bool open, double pan) {
    const long n = Frames(open ? 0.32 : 0.07);
    HighPass hp(7000);
    HighPass hp2(7000);
    const double decay = open ? 9 : 60;
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        double env = std::exp(-t * decay) * std::min(1.0, i / 20.0);
        out_.Add(at + i, gain * env * hp2(hp(Noise())), pan);
    }
}

void Synth::Shaker(long at, double gain, double pan) {
    const long n = Frames(0.09);
    HighPass hp(4500);
    LowPass lp(9000);
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        double env = std::sin(M_PI * std::min(1.0, t / 0.09)) * std::exp(-t * 20);
        out_.Add(at + i, gain * env * lp(hp(Noise())), pan);
    }
}

void Synth::Tom(long at, double frequency, double gain, double pan) {
    const long n = Frames(0.35);
    double phase = 0;
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        phase += kTwoPi * frequency * (1.0 + 0.5 * std::exp(-t * 20)) / kRate;
        double env = std::exp(-t * 9) * std::min(1.0, i / 40.0);
        out_.Add(at + i, gain * env * (std::sin(phase) + 0.1 * Noise() * std::exp(-t * 60)), pan);
    }
}

void Synth::Conga(long at, double frequency, double gain, double pan) {
    const long n = Frames(0.22);
    double phase = 0;
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        phase += kTwoPi * frequency * (1.0 + 0.15 * std::exp(-t * 50)) / kRate;
        double env = std::exp(-t * 16) * std::min(1.0, i / 25.0);
        out_.Add(at + i, gain * env * (std::sin(phase) + 0.3 * std::sin(2.02 * phase)), pan);
    }
}

void Synth::Cowbell(long at, double gain, double pan) {
    const long n = Frames(0.25);
    LowPass lp(3500);
    double p1 = 0, p2 = 0;
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        p1 += 540.0 / kRate;
        p2 += 800.0 / kRate;
        double sq = (std::fmod(p1, 1.0) < 0.5 ? 1 : -1) + (std::fmod(p2, 1.0) < 0.5 ? 1 : -1);
        double env = (0.7 * std::exp(-t * 40) + 0.3 * std::exp(-t * 9)) * std::min(1.0, i / 20.0);
        out_.Add(at + i, gain * 0.5 * env * lp(sq), pan);
    }
}

void Synth::Rim(long at, double gain, double pan) {
    const long n = Frames(0.05);
    HighPass hp(2000);
    double phase = 0;
    for (long i = 0; i < n; ++i) {
        double t = i / kRate;
        phase += kTwoPi * 1700 / kRate;
        double env = std::exp(-t * 90) * std::min(1.0, i / 10.0);
        out_.Add(at + i, gain * env * (std::sin(phase) * 0.7 + hp(Noise()) * 0.5), pan);
    }
}

void Synth::Bass(long at, long length, double frequency, double gain, double brightness) {
    double phase = 0;
    LowPass lp1(100), lp2(100);
    const long release = Frames(0.03);
    for (long i = 0; i < length + release; ++i) {
        double t = i / kRate;
        phase += frequency / kRate;
        double saw = 2.0 * (phase - std::floor(phase)) - 1.0;
        double sub = std::sin(kTwoPi * phase);
        // Filter opens on the attack and closes again: a plucky bass.
        double cutoff = (180 + 1600 * brightness * std::exp(-t * 14));
        lp1.A = 1.0 - std::exp(-kTwoPi * cutoff / kRate);
        lp2.A = lp1.A;
        double v = lp2(lp1(saw)) * 0.8 + sub * 0.5;
        double env = std::min(1.0, i / 60.0) * (i < length ? 1.0 : 1.0 - double(i - length) / release);
        out_.Add(at + i, gain * env * v, 0);
    }
}

void Synth::Pluck(long at, long length, double frequency, double gain, double pan) {
    double phase = 0;
    LowPass lp(3000);
    for (long i = 0; i < length; ++i) {
        double t = i / kRate;
        phase += frequency / kRate;
        double frac = phase - std::floor(phase);
        double pulse = frac < 0.3 ? 1.0 : -0.43;
        lp.A = 1.0 - std::exp(-kTwoPi * (600 + 4000 * std::exp(-t * 12)) / kRate);
        double env = std::exp(-t * 6) * std::min(1.0, i / 30.0) * std::min(1.0, double(length - i) / 200.0);
        out_.Add(at + i, gain * env * lp(pulse), pan);
    }
}

void Synth::Stab(long at, long length, double frequency, const std::vector<int>& chord, double gain, double pan) {
    std::vector<double> phases(chord.size(), 0.0);
    for (long i = 0; i < length; ++i) {
        double t = i / kRate;
        double v = 0;
        for (size_t k = 0; k < chord.size(); ++k) {
            double f = NoteFrequency(frequency, chord[k]);
            phases[k] += kTwoPi * f / kRate;
            v += std::sin(phases[k]) + 0.35 * std::sin(2 * phases[k]) + 0.15 * std::sin(3 * phases[k]);
        }
        double env = std::exp(-t * 10) * std::min(1.0, i / 40.0) * std::min(1.0, double(length - i) / 200.0);
        out_.Add(at + i, gain * env * v / chord.size(), pan);
    }
}

}  // namespace tuublark::assetgen
