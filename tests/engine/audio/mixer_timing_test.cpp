// The mixer against a simulated device: sounds start at their game frame's
// time plus the latency, to the sample, and a loop restarted every pass
// plays on without a seam; a device clock that drifts is followed without a
// click.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/audio/mixer.h"
#include "engine/audio/mixer_driver.h"

namespace tuublark {
namespace {

constexpr int32_t kLatency = 2048;
constexpr int32_t kPassFrames = 199;  // a pass of skin 2
constexpr int32_t kLoopLength = kPassFrames * kFrameSamples;

// The device: asks for `period` frames each time it has played as many, at
// `rate` frames per second of the game's clock.
struct TDevice {
    TMixer& Mixer;
    double Rate;
    int32_t Period;
    double Next = 0.0;
    std::vector<int16_t> Stream;

    void RunUntil(double time) {
        for (; Next <= time; Next += Period / Rate) {
            size_t at = Stream.size();
            Stream.resize(at + 2 * Period);
            Mixer.Mix(Stream.data() + at, Period, Next);
        }
    }
    int16_t Left(int64_t frame) const { return Stream[static_cast<size_t>(2 * frame)]; }
};

// A tone with faded edges, full scale, so that any cut or doubling shows.
std::vector<int16_t> LoopValues() {
    std::vector<int16_t> values;
    for (int32_t i = 0; i < kLoopLength; ++i) {
        double fade = std::min({1.0, i / 220.0, (kLoopLength - 1 - i) / 220.0});
        values.push_back(static_cast<int16_t>(std::lround(20000 * fade * std::sin(i * 0.0371))));
    }
    return values;
}

struct TRun {
    std::vector<int64_t> Calls;   // output clock at each start's frame
    std::vector<int64_t> Starts;  // first output frame of each start
    TDevice Device;
    int64_t Corrections;
    int64_t WorstLatency;  // as the mixer measured it
};

// Plays the loop every pass for `passes` passes, alternating two channels,
// with frames 1/60 s apart on the game's clock.
TRun PlayPasses(double deviceRate, int32_t period, int passes) {
    auto mixer = std::make_shared<TMixer>();
    mixer->SetLatency(kLatency);
    TMixerAudioDriver driver(mixer);
    const std::vector<int16_t> values = LoopValues();
    TAudioSample sample(kLoopLength, kOutputHertz, SampleFormatMono16LE);
    for (int32_t i = 0; i < kLoopLength; ++i) {
        sample.Samples[2 * i] = static_cast<uint8_t>(values[i]);
        sample.Samples[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(values[i]) >> 8);
    }
    SoundRef loop = driver.CreateSound(sample, 0);
    ChannelRef channels[2] = {driver.AllocChannel(), driver.AllocChannel()};

    TRun run{{}, {}, TDevice{*mixer, deviceRate, period, 0.0, {}}, 0, 0};
    const int32_t firstStart = 30;
    const int32_t frames = firstStart + passes * kPassFrames + 200;
    for (int32_t frame = 0; frame < frames; ++frame) {
        const double time = frame / 60.0 + 0.0003;
        run.Device.RunUntil(time);
        mixer->BeginFrame(time);
        if (frame >= firstStart && (frame - firstStart) % kPassFrames == 0) {
            run.Calls.push_back(std::llround(mixer->OutputClockAt(time)));
            PlaySound(loop, channels[run.Calls.size() % 2]);
        }
    }
    run.Device.RunUntil(frames / 60.0 + 5.0);
    run.Corrections = mixer->FrameClock().DriftCorrections();
    run.WorstLatency = mixer->WorstLatencyFrames();
    // Each start's first frame: where the stream matches the tone best,
    // past its fade-in, which may overlap the previous start's fade-out.
    for (int64_t call : run.Calls) {
        int64_t best = 0, bestDistance = -1;
        for (int64_t at = call + kLatency - 400; at <= call + kLatency + 400; ++at) {
            int64_t distance = 0;
            for (int32_t i = 300; i < 1300; ++i) distance += std::abs(run.Device.Left(at + i) - values[i]);
            if (bestDistance < 0 || distance < bestDistance) {
                best = at;
                bestDistance = distance;
            }
        }
        run.Starts.push_back(best);
    }
    return run;
}

TEST(MixerTiming, StartsOnePassApartPlayAsOneSeamlessStreamAfterTheLatency) {
    for (int32_t period : {441, 882, 1024}) {
        SCOPED_TRACE(period);
        TRun run = PlayPasses(kOutputHertz, period, 4);
        const std::vector<int16_t> values = LoopValues();
        for (size_t k = 0; k < run.Starts.size(); ++k) {
            EXPECT_NEAR(run.Starts[k] - run.Calls[k], kLatency, 44) << "start " << k;  // within 1 ms
            if (k > 0) {
                EXPECT_EQ(run.Starts[k] - run.Starts[k - 1], kLoopLength) << "seam " << k;
            }
        }
        EXPECT_NEAR(run.WorstLatency, kLatency, 44);
        // Sample for sample the loop, played four times over.
        for (int64_t i = 0; i < 4 * int64_t{kLoopLength}; ++i)
            ASSERT_EQ(run.Device.Left(run.Starts[0] + i), values[i % kLoopLength]) << "frame " << i;
    }
}

TEST(MixerTiming, DriftingDeviceClockIsFollowedWithoutAClick) {
    const std::vector<int16_t> values = LoopValues();
    int largestStep = 0;
    for (size_t i = 1; i < values.size(); ++i) largestStep = std::max(largestStep, std::abs(values[i] - values[i - 1]));
    for (double drift : {0.998, 1.002}) {
        SCOPED_TRACE(drift);
        TRun run = PlayPasses(kOutputHertz * drift, 441, 12);
        EXPECT_GT(run.Corrections, 0);
        // Still in time with the frames: the seams take up the drift, a
        // millisecond at a time, inside the loop's faded edges.
        for (size_t k = 0; k < run.Starts.size(); ++k)
            EXPECT_NEAR(run.Starts[k] - run.Calls[k], kLatency, 2 * 44) << "start " << k;
        int steps = 0;
        const int64_t end = run.Starts.back() + kLoopLength;
        for (int64_t i = run.Starts[0] + 1; i < end; ++i)
            steps = std::max(steps, std::abs(run.Device.Left(i) - run.Device.Left(i - 1)));
        // Where two faded edges overlap their steps add up, no more.
        EXPECT_LE(steps, 2 * largestStep);
    }
}

}  // namespace
}  // namespace tuublark
