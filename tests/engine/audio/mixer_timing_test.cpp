// The mixer against a simulated device: sounds start at their game frame's
// time plus the latency, to the sample, and a loop restarted every pass
// plays on without a seam; a device clock that drifts is followed without a
// click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "engine/audio/frame_clock.h"
#include "engine/audio/mixer.h"
#include "engine/audio/mixer_driver.h"
#include "engine/audio/output_clock.h"

namespace tuublark {
namespace {

constexpr int32_t kLatency = 2048;
constexpr int32_t kPassFrames = 199;  // a pass of skin 2
constexpr int32_t kLoopLength = kPassFrames * kFrameSamples;

// The device: asks for `period` frames each time it has played as many, at
// `rate` frames per second of the game's clock; or, bunched, for `burst`
// periods at once each time it has played them all. With `lateEvery`, that
// call comes 40 ms late every so often, and the calls behind it follow at
// once. With `jitterMs`, every call comes up to that late, at random.
struct TDevice {
    TMixer& Mixer;
    double Rate;
    int32_t Period;
    int32_t Burst = 1;
    int32_t LateEvery = 0;
    int32_t JitterMs = 0;
    double Next = 0.0;
    std::vector<int16_t> Stream;
    int64_t calls_ = 0;
    double due_ = 0.0;
    std::minstd_rand random_{7};

    void RunUntil(double time) {
        while (true) {
            const bool late = LateEvery > 0 && calls_ % LateEvery == LateEvery - 1;
            const double jitter = JitterMs ? (random_() % (JitterMs * 10)) / 10000.0 : 0.0;
            const double due = std::max(due_, Next + (late ? 0.04 : 0.0) + jitter);
            if (due > time) return;
            for (int32_t k = 0; k < Burst; ++k) {
                size_t at = Stream.size();
                Stream.resize(at + 2 * Period);
                Mixer.Mix(Stream.data() + at, Period, due);
            }
            due_ = due;
            ++calls_;
            Next += Burst * Period / Rate;
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
    std::vector<int64_t> Calls;   // the device clock at each start's frame
    std::vector<int64_t> Starts;  // first output frame of each start
    TDevice Device;
    int64_t Corrections, Jumps;
    int64_t WorstLatency;  // as the mixer measured it
    double MeanLatency;
};

// Plays the loop every pass for `passes` passes, alternating two channels,
// with frames due 1/60 s apart on the game's clock, each starting up to
// 3 ms after its due time, as on a busy machine.
TRun PlayPasses(double deviceRate, int32_t period, int passes, int32_t burst = 1, int32_t firstStart = 30,
                int32_t lateEvery = 0, int32_t jitterMs = 0) {
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

    TRun run{{}, {}, TDevice{*mixer, deviceRate, period, burst, lateEvery, jitterMs, 0.0, {}}, 0, 0, 0, 0.0};
    const int32_t frames = firstStart + passes * kPassFrames + 200;
    std::minstd_rand frameLateness(5);
    for (int32_t frame = 0; frame < frames; ++frame) {
        const double due = frame / 60.0 + 0.0003;
        const double time = due + (frameLateness() % 30) / 10000.0;
        run.Device.RunUntil(time);
        mixer->BeginFrame(time);
        if (frame >= firstStart && (frame - firstStart) % kPassFrames == 0) {
            run.Calls.push_back(std::llround(due * deviceRate));  // where the device really is
            PlaySound(loop, channels[run.Calls.size() % 2]);
        }
    }
    run.Device.RunUntil(frames / 60.0 + 5.0);
    run.Corrections = mixer->FrameClock().DriftCorrections();
    run.Jumps = mixer->FrameClock().Jumps();
    run.WorstLatency = mixer->WorstLatencyFrames();
    run.MeanLatency = mixer->LatencySum() / static_cast<double>(std::max<int64_t>(mixer->LatencyCount(), 1));
    // Each start's first frame: where the stream matches the tone best,
    // past its fade-in, which may overlap the previous start's fade-out.
    for (int64_t call : run.Calls) {
        int64_t best = 0, bestDistance = -1;
        for (int64_t at = call + kLatency - 1500; at <= call + kLatency + 1500; ++at) {
            int64_t distance = 0;
            for (int32_t i = 600; i < 1600; ++i) distance += std::abs(run.Device.Left(at + i) - values[i]);
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
    // Periods asked for one at a time, or two and three at once, as some
    // sound servers do: the clock's reading then swings by the burst, its
    // first reading is off the mean, and the clock settles in its first
    // second; the music starts after it, as the game's does. Calls that
    // come late, now and then or each by a random few milliseconds, must
    // not move the clock either.
    const struct {
        int32_t Period, Burst, LateEvery, JitterMs;
    } devices[] = {{441, 1, 0, 0}, {882, 1, 0, 0},  {1024, 1, 0, 0}, {882, 2, 0, 0},
                   {441, 3, 0, 0}, {441, 1, 40, 0}, {441, 1, 0, 4},  {1024, 2, 0, 6}};
    for (const auto& device : devices) {
        SCOPED_TRACE(testing::Message() << device.Period << " x" << device.Burst << " late " << device.LateEvery
                                        << " jitter " << device.JitterMs);
        const bool settles = device.Burst > 1 || device.LateEvery > 0 || device.JitterMs > 0;
        TRun run = PlayPasses(kOutputHertz, device.Period, 4, device.Burst, settles ? 90 : 30, device.LateEvery,
                              device.JitterMs);
        EXPECT_EQ(run.Jumps, 0);
        const int32_t swing = settles ? device.Burst * device.Period / 2 + device.JitterMs * 441 / 20 : 0;
        const std::vector<int16_t> values = LoopValues();
        for (size_t k = 0; k < run.Starts.size(); ++k) {
            EXPECT_NEAR(run.Starts[k] - run.Calls[k], kLatency, 44 + swing) << "start " << k;  // within 1 ms
            if (k > 0) {
                EXPECT_EQ(run.Starts[k] - run.Starts[k - 1], kLoopLength) << "seam " << k;
            }
        }
        // The mixer's own figure reads the clock as the calls stamp it,
        // which a late call holds back.
        if (device.LateEvery == 0) {
            EXPECT_NEAR(run.WorstLatency, kLatency, 44 + swing);
            EXPECT_NEAR(run.MeanLatency, kLatency, 44 + swing);
        }
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
        // The output clock learns the drift in its first seconds (until
        // then it trails by a fraction of its window); the music starts
        // after that.
        TRun run = PlayPasses(kOutputHertz * drift, 441, 12, 1, 300);
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

// An output that stops asking has stopped playing: a sound server may wait
// a second after its first call. Then the output skips 30 ms (it ran dry,
// or its server moved its buffer): the clock follows within a third of a
// second, instead of sliding across the step for half its window and then
// taking the step for drift.
TEST(OutputClock, StandsStillInAStallAndFollowsASkipAtOnceWithoutTakingItForDrift) {
    TOutputClock clock;
    clock.Stamp(-1.0, -2646, 441);
    EXPECT_EQ(clock.At(-0.5), 0.0);
    std::minstd_rand random(3);
    double worstBefore = 0, worstAfter = 0;
    for (int call = 0; call < 1200; ++call) {
        const double skip = call >= 600 ? 0.030 : 0.0;
        const double time = call * 0.01 + skip + (random() % 40) / 10000.0;
        clock.Stamp(time, int64_t{call} * 441, 441);
        const double now = time + 0.005;
        // Calls come 2 ms late on the median.
        const double error = std::fabs(clock.At(now) - (now - skip - 0.002) * kOutputHertz) / 44.1;  // ms
        if (call >= 300 && call < 600) worstBefore = std::max(worstBefore, error);
        if (call >= 633) worstAfter = std::max(worstAfter, error);
    }
    EXPECT_LT(worstBefore, 1.0);
    EXPECT_LT(worstAfter, 1.0);
}

// A device 0.2% fast asking for 87 frames at a time (1.97 ms): sixteen
// marks 64 calls apart reach back just past the 2 s the drift is measured
// over, so once they are all taken the clock carries the drift to the
// present, at least just before each new mark, instead of trailing by half
// its window (0.5 ms). Calls of 86 frames or fewer never reach 2 s.
TEST(OutputClock, ShortCallsStillLearnTheDrift) {
    TOutputClock clock;
    const double rate = kOutputHertz * 1.002;
    double best = 1.0;
    for (int call = 0; call < 1400; ++call) {
        const double time = call * 87 / rate;
        clock.Stamp(time, int64_t{call} * 87, 87);
        if (call >= 1000)
            best = std::min(best, std::fabs(clock.At(time + 0.001) - (time + 0.001) * rate) / 44.1);  // ms
    }
    EXPECT_LT(best, 0.1);
}

// Readings 1000 frames off the mapping for 7 frames are left out; for 8
// (kJumpFrames) the clock re-anchors, and again when they come back.
TEST(FrameClock, ReanchorsOnlyAfterEightFramesOffTheMapping) {
    for (const auto& [off, jumps] : {std::pair{7, 0}, std::pair{8, 2}}) {
        TFrameClock clock;
        for (int32_t frame = 0; frame < 60; ++frame)
            clock.Tick(frame * 735.0 + (frame >= 30 && frame < 30 + off ? 1000.0 : 0.0));
        EXPECT_EQ(clock.Jumps(), jumps) << off;
    }
}

}  // namespace
}  // namespace tuublark
