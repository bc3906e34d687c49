#include <gtest/gtest.h>

#include <vector>

#include "engine/display/graphics.h"

namespace tuublark {
namespace {

// Runs timer pacing over a clock that moves only by what the frames cost
// and what is slept; returns the release time of every frame (on a 64-bit
// clock; the pacing sees its low 32 bits, as Millisecs gives them).
std::vector<int64_t> ReleaseTimes(int frames, int32_t frameCost, int64_t start) {
    TFramePacing pacing;
    pacing.PacingOn = 1;
    pacing.PacingStart = static_cast<int32_t>(static_cast<uint32_t>(start));
    int64_t now = start;
    std::vector<int64_t> released;
    for (int n = 1; n <= frames; ++n) {
        now += frameCost;
        now += pacing.WaitBeforeFlip(static_cast<int32_t>(static_cast<uint32_t>(now)), 60);
        released.push_back(now);
    }
    return released;
}

TEST(FramePacing, StaysExactForLongerThanTheClockAndTheCountsLast) {
    // 2.2 million frames is more than ten hours at 60 Hz, where 1000 per
    // frame no longer fits 32 bits; the clock starts a minute before the
    // signed 32-bit Millisecs wraps (24.8 days), and again before the
    // unsigned one does (49.7 days).
    const int frames = 2200000;
    for (int64_t start : {int64_t{INT32_MAX} - 60000, int64_t{UINT32_MAX} - 60000}) {
        std::vector<int64_t> released = ReleaseTimes(frames, 3, start);
        for (int n = 1; n <= frames; ++n)
            ASSERT_EQ(released[n - 1], start + int64_t{n} * 1000 / 60) << "frame " << n << " from " << start;
    }
}

TEST(FramePacing, ALateFrameCatchesUpAStallResynchronisesAndAWaitOfASecondIsNeverSlept) {
    TFramePacing late, stalled, backwards;
    late.PacingOn = stalled.PacingOn = backwards.PacingOn = 1;
    late.PacingStart = stalled.PacingStart = 0, backwards.PacingStart = 10000;
    EXPECT_EQ(late.WaitBeforeFlip(5, 60), 11);  // due at 16
    EXPECT_DOUBLE_EQ(late.LatenessAt(16, 60), 0.0);
    EXPECT_NEAR(late.LatenessAt(40, 60), 40 - 1000 / 60.0, 1e-9);
    // Frame 2 is due at 33 but comes at 50: no sleep, and the schedule
    // stands, so frame 3 (due at 50) goes at once and frame 4 at 66.
    EXPECT_EQ(late.WaitBeforeFlip(50, 60), 0);
    EXPECT_EQ(late.WaitBeforeFlip(52, 60), 0);
    EXPECT_EQ(late.WaitBeforeFlip(53, 60), 66 - 53);
    // A frame starting three frames late will start the schedule again.
    EXPECT_DOUBLE_EQ(late.LatenessAt(117, 60), 0.0);
    // Three frames late is a stall: the count restarts from the time
    // reached, and the next frame is due one frame after it.
    EXPECT_EQ(stalled.WaitBeforeFlip(5, 60), 11);
    EXPECT_EQ(stalled.WaitBeforeFlip(33 + 50, 60), 0);
    EXPECT_EQ(stalled.WaitBeforeFlip(85, 60), 83 + 1000 / 60 - 85);
    // The clock went backwards: the wait would be absurd.
    EXPECT_EQ(backwards.WaitBeforeFlip(5000, 60), 0);
    EXPECT_EQ(backwards.WaitBeforeFlip(5001, 60), 15);  // due at 5000 + 16
}

// Swap costs in ms, repeated: three 60 Hz swaps in a row are a retrace, a
// miss resets the count, the trials stop at Hertz, instant swaps are none.
TEST(RetraceCalibration, ThreeConsecutiveSixtyHertzSwapsAreARetrace) {
    struct Case {
        std::vector<int32_t> Costs;
        bool Synced;
        int Swaps;
    } cases[] = {{{3, 40, 16, 15, 17}, true, 5}, {{16, 16, 30}, false, 60}, {{0}, false, 60}};
    for (const Case& c : cases) {
        int32_t now = 0;
        size_t i = 0;
        int swaps = 0;
        bool synced = CalibrateRetrace(
            60,
            [&] {
                now += c.Costs[i++ % c.Costs.size()];
                ++swaps;
            },
            [&] { return now; });
        EXPECT_EQ(synced, c.Synced) << c.Costs.size();
        EXPECT_EQ(swaps, c.Swaps) << c.Costs.size();
    }
}

}  // namespace
}  // namespace tuublark
