#include "tools/assetgen/loudness.h"

#include <algorithm>
#include <cmath>

namespace tuublark::assetgen {
namespace {

struct TBiquad {
    double B0, B1, B2, A1, A2;
    double X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;

    double operator()(double x) {
        double y = B0 * x + B1 * X1 + B2 * X2 - A1 * Y1 - A2 * Y2;
        X2 = X1;
        X1 = x;
        Y2 = Y1;
        Y1 = y;
        return y;
    }
};

// The two K-weighting stages (a head shelf of +4 dB above 1.7 kHz and a
// high pass at 38 Hz) designed for any sample rate from their analogue
// prototypes, so that 44100 Hz gets the same curve as 48000 Hz.
TBiquad Shelf(int hertz) {
    const double gainDb = 3.999843853973347, f0 = 1681.974450955533, q = 0.7071752369554196;
    const double k = std::tan(M_PI * f0 / hertz);
    const double vh = std::pow(10.0, gainDb / 20.0), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return TBiquad{(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
                   2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

TBiquad HighPass(int hertz) {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(M_PI * f0 / hertz);
    const double a0 = 1.0 + k / q + k * k;
    return TBiquad{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

std::vector<double> Squared(const std::vector<double>& in, int hertz) {
    TBiquad shelf = Shelf(hertz), highPass = HighPass(hertz);
    std::vector<double> out(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        double y = highPass(shelf(in[i]));
        out[i] = y * y;
    }
    return out;
}

double Lufs(double meanSquare) { return meanSquare > 0 ? -0.691 + 10.0 * std::log10(meanSquare) : -1000.0; }

}  // namespace

double IntegratedLoudness(const std::vector<double>& left, const std::vector<double>& right, int hertz) {
    const size_t frames = std::min(left.size(), right.size());
    const size_t block = static_cast<size_t>(hertz) * 4 / 10, hop = static_cast<size_t>(hertz) / 10;
    std::vector<double> l = Squared(left, hertz), r = Squared(right, hertz);
    l.resize(std::max(frames, block), 0.0);
    r.resize(std::max(frames, block), 0.0);

    // Mean square of each block, both channels summed (weights 1).
    std::vector<double> blocks;
    for (size_t start = 0; start + block <= l.size(); start += hop) {
        double sum = 0;
        for (size_t i = start; i < start + block; ++i) sum += l[i] + r[i];
        blocks.push_back(sum / block);
    }
    auto gatedMean = [&](double gate) {
        double sum = 0;
        size_t count = 0;
        for (double z : blocks)
            if (Lufs(z) > gate) sum += z, ++count;
        return count ? sum / count : 0.0;
    };
    const double absolute = gatedMean(-70.0);
    if (absolute <= 0) return -70.0;
    return Lufs(gatedMean(Lufs(absolute) - 10.0));
}

}  // namespace tuublark::assetgen
