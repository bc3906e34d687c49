// Maps the game's frame time onto the output's sample clock, so that a
// sound started in frame f is heard at f's time plus one constant latency.
//
// Frame f maps to Anchor + f * 735 output frames (44100 / 60): sounds
// started a whole number of frames apart stay exactly that many samples
// apart, so a loop restarted every pass meets its previous start sample for
// sample. Each frame the mapping is compared with where the output clock
// really is (its reading plus the latency). A device clock is never exactly
// 60 x 735 Hz, so the difference wanders. Frames start at their due time or
// after it, never before, and a frame that starts late reads the output
// further on, so the difference is taken at its largest over
// kSpanFrames frames: the on-time frames' own. When that passes
// kDriftLimit the anchor moves by it, in one step of about a millisecond.
// Starts already made keep their samples, and a restart landing in a loop's
// faded edges shifted by that much is not heard as a click. A difference
// beyond kJumpLimit that lasts kJumpFrames frames (a stall, a pause, the
// device reopened, frames that fell behind their schedule) re-anchors. A
// shorter one is left out: a frame that came late while the pacing makes
// the time up, or a reading taken as the output clock (TOutputClock)
// settles after a skip.
#pragma once

#include <cstdint>

namespace tuublark {

constexpr int32_t kFrameSamples = 735;  // one 60 Hz frame at 44100 Hz

class TFrameClock {
public:
    static constexpr double kDriftLimit = 44.1;  // 1 ms
    static constexpr double kJumpLimit = 882.0;  // 20 ms
    static constexpr int32_t kJumpFrames = 8;
    static constexpr int32_t kSpanFrames = 16;

    explicit TFrameClock(int32_t latencyFrames = 0) : latency_(latencyFrames) {}

    // Game thread, once at the start of every frame; `outputNow` is the
    // output clock's reading at that moment, in output frames.
    void Tick(double outputNow);
    void SetLatency(int32_t latencyFrames) { latency_ = latencyFrames; }
    int32_t Latency() const { return latency_; }
    // The output frame where a sound started in the current frame begins;
    // 0 (at once) before the first tick.
    int64_t StartFrame() const;
    // The output clock's reading at the last tick; -1 before the first.
    double TickOutput() const { return anchored_ ? tickOutput_ : -1.0; }
    // How often the anchor moved for drift, and jumped.
    int64_t DriftCorrections() const { return corrections_; }
    int64_t Jumps() const { return jumps_; }

private:
    int32_t latency_;
    bool anchored_ = false;
    double anchor_ = 0;   // output frame of frame 0 of the mapping
    int64_t frame_ = 0;   // frames since the anchor
    double largest_ = 0;  // mapping minus where the output really is,
    int32_t seen_ = 0;    // at its largest over the seen_ frames so far
    double tickOutput_ = 0;
    int32_t outlying_ = 0;  // frames in a row beyond kJumpLimit
    int64_t corrections_ = 0, jumps_ = 0;
};

}  // namespace tuublark
