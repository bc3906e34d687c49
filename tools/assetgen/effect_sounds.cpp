#include "tools/assetgen/effect_sounds.h"

#include <cmath>

namespace tuublark::assetgen {

StereoBuffer RenderTransition() {
    // About 1.5 s: a detuned saw pair gliding up three octaves under a
    // rising noise whoosh, swelling and then fading out.
    const long frames = static_cast<long>(1.5 * kSampleRate);
    StereoBuffer out(static_cast<size_t>(frames));
    Random noise(0x7A11u);
    double p1 = 0, p2 = 0, low = 0, band = 0;
    for (long i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / frames;
        double freq = 110.0 * std::pow(2.0, 3.2 * t * t * (3 - 2 * t));
        p1 += freq / kSampleRate;
        p2 += freq * 1.012 / kSampleRate;
        double saw = (p1 - std::floor(p1)) + (p2 - std::floor(p2)) - 1.0;
        // State-variable filter on the noise, its centre rising with the sweep.
        double f = 2 * std::sin(M_PI * std::min(0.45, (300 + 6000 * t) / kSampleRate));
        double x = noise.Unit() * 2 - 1;
        low += f * band;
        double high = x - low - 0.5 * band;
        band += f * high;
        double env = std::sin(M_PI * std::pow(t, 0.8)) * std::min(1.0, t * 12);
        double sweep = 0.5 * saw + 0.6 * band;
        double wobble = 0.5 + 0.5 * std::sin(2 * M_PI * (2 + 10 * t) * t * 1.5);
        out.Add(i, env * sweep * (0.6 + 0.4 * wobble), 0.0);
        out.Add(i, env * 0.25 * band * (wobble - 0.5), 0.0);
    }
    out.Master(1.5, 0.8);
    out.FadeEdges(64, 2000);
    out.SetLoudness(kEffectLoudness);
    return out;
}

StereoBuffer RenderBleepEcho() {
    // A bright two-tone bleep, then four echoes alternating left and right,
    // each softer and darker.
    const double bleep = 0.09, delay = 0.11;
    const int echoes = 5;
    const long frames = static_cast<long>((bleep + delay * echoes + 0.05) * kSampleRate);
    StereoBuffer out(static_cast<size_t>(frames));
    const long length = static_cast<long>(bleep * kSampleRate);
    for (int e = 0; e < echoes; ++e) {
        long start = static_cast<long>(e * delay * kSampleRate);
        double gain = std::pow(0.5, e);
        double pan = e == 0 ? 0.0 : (e % 2 ? -0.6 : 0.6);
        double bright = std::pow(0.7, e);
        double phase = 0;
        for (long i = 0; i < length; ++i) {
            double t = static_cast<double>(i) / kSampleRate;
            double freq = t < bleep / 2 ? 1318.5 : 1760.0;
            phase += 2 * M_PI * freq / kSampleRate;
            double tone = std::sin(phase) + bright * 0.3 * std::sin(3 * phase);
            double env = std::min(1.0, i / 80.0) * std::min(1.0, (length - i) / 300.0);
            out.Add(start + i, gain * env * tone, pan);
        }
    }
    out.Master(1.0, 0.7);
    out.FadeEdges(16, 256);
    out.SetLoudness(kEffectLoudness);
    return out;
}

}  // namespace tuublark::assetgen
