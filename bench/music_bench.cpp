// Music figures, printed as one JSON object.
//
//   music_bench loudness
//       the spread of the drum loops' integrated loudness (run from the
//       build folder, where the generated sounds are)
//   music_bench seams CAPTURE TRACE PROFILE
//       CAPTURE: what the game played, raw 44100 Hz 16-bit stereo, as a
//       device recorded it; TRACE and PROFILE: the game's --trace and
//       --profile of the same run. Finds every drum loop start named in the
//       trace in the capture, by correlation with the loop's first 93 ms,
//       and measures each seam: a start's distance from the start of the
//       same loop one pass earlier, against the loop's length. Passes the
//       game did not play on time (a machine too busy to hold 60 frames a
//       second makes a pass last longer than its loop) are counted apart.
//
// A device's sample clock is not exactly 44100 a second (SDL's disk
// driver, which sleeps between periods, runs about 2% slow). Its rate is
// measured from the starts' capture samples against their frames' times on
// the monotonic clock, and the spacings are brought back to 44100 a second
// before they are compared; the figures give the rate and the uncorrected
// median.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "engine/audio/audio_sample.h"
#include "engine/audio/sample_loader.h"
#include "engine/engine.h"
#include "engine/runtime/filesystem.h"
#include "game/frame_loop.h"
#include "game/presentation/skins.h"
#include "tools/assetgen/loudness.h"

namespace {

using namespace tuublark;

constexpr int kTemplate = 4096;
constexpr double kSamplesPerFrame = 735.0;

// Mono, as floats.
std::vector<float> Mono(const int16_t* values, size_t frames) {
    std::vector<float> out(frames);
    for (size_t i = 0; i < frames; ++i) out[i] = (values[2 * i] + values[2 * i + 1]) / 65536.0f;
    return out;
}

std::vector<float> LoopMono(const std::string& path) {
    AudioSampleRef sample = LoadAudioSample(path);
    if (!sample) return {};
    return Mono(reinterpret_cast<const int16_t*>(sample->Samples), static_cast<size_t>(sample->Length));
}

int Loudness() {
    double low = 1e9, high = -1e9;
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        AudioSampleRef sample = LoadAudioSample(SkinTable(skin).MusicLoop);
        if (!sample) {
            std::fprintf(stderr, "music_bench: %s: cannot read\n", SkinTable(skin).MusicLoop);
            return 1;
        }
        const int16_t* values = reinterpret_cast<const int16_t*>(sample->Samples);
        std::vector<double> left(sample->Length), right(sample->Length);
        for (int32_t i = 0; i < sample->Length; ++i)
            left[i] = values[2 * i] / 32768.0, right[i] = values[2 * i + 1] / 32768.0;
        double lufs = assetgen::IntegratedLoudness(left, right, sample->Hertz);
        low = std::min(low, lufs);
        high = std::max(high, lufs);
    }
    std::printf(
        "{\"loop_loudness_spread_lu\": %.3f, \"loop_loudness_min_lufs\": %.2f, \"loop_loudness_max_lufs\": %.2f}\n",
        high - low, low, high);
    return 0;
}

struct TStart {
    int Frame;
    std::string Loop;
    double Sample = -1;
};

// Music starts named in the trace: "MusicChannelA:Audio/Drumloop1.ogg".
std::vector<TStart> ReadStarts(const std::string& path) {
    std::vector<TStart> starts;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        size_t at = line.find("\"MusicChannel");
        if (at == std::string::npos) continue;
        size_t colon = line.find(':', at), quote = line.find('"', at + 1);
        int frame = std::atoi(line.c_str() + line.find("\"Frame\":") + 8);
        starts.push_back({frame, line.substr(colon + 1, quote - colon - 1)});
    }
    return starts;
}

// The offset in [from, to) where `pattern` best matches `stream`
// (normalised correlation), or -1.
double BestMatch(const std::vector<float>& stream, const std::vector<float>& pattern, long from, long to) {
    from = std::max(0L, from);
    to = std::min(to, static_cast<long>(stream.size()) - static_cast<long>(pattern.size()));
    double best = -2, bestAt = -1, patternEnergy = 0;
    for (float p : pattern) patternEnergy += double(p) * p;
    for (long at = from; at < to; ++at) {
        double dot = 0, energy = 0;
        for (size_t i = 0; i < pattern.size(); ++i) {
            dot += double(stream[at + i]) * pattern[i];
            energy += double(stream[at + i]) * stream[at + i];
        }
        double score = energy > 0 ? dot / std::sqrt(energy * patternEnergy) : -1;
        if (score > best) best = score, bestAt = static_cast<double>(at);
    }
    return best > 0.5 ? bestAt : -1;
}

// Frame -> monotonic seconds at its start, from the game's --profile.
std::map<int, double> ReadFrameTimes(const std::string& path) {
    std::map<int, double> times;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        int frame, screen;
        long long cpu, wall;
        if (std::sscanf(line.c_str(), "%d %d %lld %lld", &frame, &screen, &cpu, &wall) == 4) times[frame] = wall / 1e6;
    }
    return times;
}

int Seams(const std::string& capturePath, const std::string& tracePath, const std::string& profilePath) {
    std::ifstream in(capturePath, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<float> stream = Mono(reinterpret_cast<const int16_t*>(bytes.data()), bytes.size() / 4);
    std::vector<TStart> starts = ReadStarts(tracePath);
    const std::map<int, double> times = ReadFrameTimes(profilePath);
    for (const TStart& s : starts)
        if (!times.count(s.Frame)) {
            std::fprintf(stderr, "music_bench: frame %d is not in %s\n", s.Frame, profilePath.c_str());
            return 1;
        }
    if (starts.size() < 3 || stream.empty()) {
        std::fprintf(stderr, "music_bench: too few music starts in %s or no capture\n", tracePath.c_str());
        return 1;
    }
    // Each loop, and its head that the starts are found by.
    std::map<std::string, std::vector<float>> loops, heads;
    for (const TStart& s : starts) {
        if (loops.count(s.Loop)) continue;
        const std::vector<float>& loop = loops[s.Loop] = LoopMono(s.Loop);
        heads[s.Loop].assign(loop.begin(), loop.begin() + std::min<size_t>(loop.size(), kTemplate));
    }

    // Each start after the first within 100 ms of where the frames' own
    // times put it, counted from the first start's place in the capture.
    double rate = 44100.0;  // capture samples per second of the frames' clock
    auto placeFrom = [&](double firstSample) {
        rate = 44100.0;
        int found = 1;
        starts[0].Sample = firstSample;
        for (size_t k = 1; k < starts.size(); ++k) {
            double expected = firstSample + (times.at(starts[k].Frame) - times.at(starts[0].Frame)) * rate;
            starts[k].Sample = BestMatch(stream, heads[starts[k].Loop], static_cast<long>(expected - 4410),
                                         static_cast<long>(expected + 4410));
            if (starts[k].Sample < 0) continue;
            ++found;
            if (starts[k].Frame != starts[0].Frame)
                rate = (starts[k].Sample - firstSample) / (times.at(starts[k].Frame) - times.at(starts[0].Frame));
        }
        return found;
    };
    // The first start: the loop's head may be heard in the first 20 s more
    // than once (the title can play the loop before the trace's first
    // start), so each second's best match is tried and the one that places
    // the most later starts is kept.
    double firstSample = -1;
    for (long second = 0, best = -1; second < 20; ++second) {
        double at = BestMatch(stream, heads[starts[0].Loop], second * 44100, (second + 1) * 44100);
        if (at < 0) continue;
        int found = placeFrom(at);
        if (found > best) best = found, firstSample = at;
    }
    if (firstSample >= 0) placeFrom(firstSample);
    if (std::getenv("MUSIC_BENCH_VERBOSE"))
        for (const TStart& s : starts)
            std::fprintf(stderr, "start frame %d (%.3f s) %s at %.0f\n", s.Frame, times.at(s.Frame), s.Loop.c_str(),
                         s.Sample);

    // The game's frame schedule at a frame: frames released on time start
    // at their due time, late ones after it, so the earliest start against
    // 60 Hz among the 30 frames up to it. A frame late by less than the
    // pacing's catch-up (50 ms) keeps the schedule and its sounds are timed
    // from when it was due; a stall restarts the schedule later.
    auto schedule = [&](int frame) {
        double earliest = 1e300;
        for (auto it = times.lower_bound(frame - 30); it != times.end() && it->first <= frame; ++it)
            earliest = std::min(earliest, it->second - it->first / 60.0);
        return earliest;
    };
    auto onSchedule = [&](int frame) { return times.at(frame) - frame / 60.0 - schedule(frame) < 0.040; };
    // Seams of passes the game played on time: both starts on the
    // schedule, and the schedule the same at both within 10 ms (frames
    // start a few milliseconds after their due time on a busy machine). The
    // capture's spacing of the two starts, on the capture's own clock
    // brought to 44100 a second, against the loop.
    std::vector<double> seams, raws;
    int found = 0, late = 0;
    for (const TStart& s : starts) found += s.Sample >= 0;
    for (size_t k = 1; k < starts.size(); ++k) {
        const TStart &a = starts[k - 1], &b = starts[k];
        if (a.Sample < 0 || b.Sample < 0 || a.Loop != b.Loop) continue;
        const double length = static_cast<double>(loops[a.Loop].size());
        if (b.Frame - a.Frame != static_cast<int>(std::lround(length / kSamplesPerFrame))) continue;
        if (!onSchedule(a.Frame) || !onSchedule(b.Frame) || std::fabs(schedule(b.Frame) - schedule(a.Frame)) > 0.010) {
            ++late;
            continue;
        }
        seams.push_back(std::fabs((b.Sample - a.Sample) * 44100.0 / rate - length) * 1000.0 / 44100.0);
        raws.push_back(std::fabs(b.Sample - a.Sample - length) * 1000.0 / 44100.0);
    }
    auto median = [](std::vector<double> v) {
        if (v.empty()) return -1.0;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf(
        "{\"music_seam_ms_median\": %.3f, \"music_seam_ms_max\": %.3f, \"music_seams\": %zu, "
        "\"music_passes_late\": %d, \"music_starts_found\": %d, \"music_starts\": %zu, "
        "\"capture_clock_of_nominal\": %.5f, \"capture_seam_ms_median_uncorrected\": %.3f}\n",
        median(seams), seams.empty() ? -1.0 : *std::max_element(seams.begin(), seams.end()), seams.size(), late, found,
        starts.size(), rate / 44100.0, median(raws));
    return seams.empty() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    tuublark::TEngine engine;  // the loaders' sample cache and data folder
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "loudness" && argc == 2) return Loudness();
    if (mode == "seams" && argc == 5) return Seams(argv[2], argv[3], argv[4]);
    std::fprintf(stderr, "usage: music_bench loudness | music_bench seams CAPTURE TRACE PROFILE\n");
    return 2;
}
