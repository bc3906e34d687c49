// Where the output stands, read from when it asks for sound.
//
// Each mix call's time, against the frames mixed before it, gives an
// offset: the moment output frame 0 would have been asked for. One call's
// offset says little. Sound servers ask for several periods at once, or a
// call comes late, so single offsets swing by a period or more. The clock
// takes the median of the last kWindow offsets: it moves only when most
// calls agree, so the frame clock built on it does not re-anchor at every
// swing.
//
// A device whose clock drifts against the system clock moves the offset
// steadily, and the median, which stands for the middle of its window,
// trails by half a window. The drift is measured between medians at least
// kDriftSpan seconds apart and carried forward to the present.
//
// When the newest kRecent calls settle more than kStep seconds away from
// the window's median, the output has skipped (it ran dry and played
// silence, or a server moved its buffer): the clock keeps only the newer
// half of them and learns the drift again, rather than sliding across the
// step for half a window and taking it for drift.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace tuublark {

class TOutputClock {
public:
    static constexpr int32_t kWindow = 256;
    static constexpr double kDriftSpan = 2.0;
    static constexpr int32_t kRecent = 32;
    static constexpr double kStep = 0.005;
    static constexpr double kStallFrames = 2205;  // 50 ms

    // Audio thread: a mix call at `now` (seconds) asks for `frames` frames
    // after `framesBefore`.
    void Stamp(double now, int64_t framesBefore, int32_t frames);
    // Audio thread: the output starts again (opened anew, or resumed after
    // a pause that mixed nothing), so the earlier calls no longer tell
    // where it stands.
    void Restart() { count_ = 0, markCount_ = 0, sinceMark_ = 0; }
    // Any thread: output frames at `now`, never more than kStallFrames past
    // the frames mixed so far (an output that stops asking for that long
    // has stopped playing); -1 before the first stamp.
    double At(double now) const;

private:
    struct TPoint {
        double Time, Offset;
    };
    // The median offset of the newest `calls` calls, with their mean time.
    TPoint Median(int32_t calls);
    void Publish(TPoint median, double drift, double end);

    std::array<TPoint, kWindow> calls_{};  // ring, newest at next_ - 1
    std::array<double, kWindow> scratch_{};
    int32_t count_ = 0, next_ = 0;
    // Medians taken every kWindow / 4 calls, the oldest first.
    std::array<TPoint, 16> marks_{};
    int32_t markCount_ = 0, sinceMark_ = 0;

    // Published under a sequence count, odd while written: the offset at
    // Time, how fast it moves (seconds per second), and the end of the
    // frames mixed.
    std::atomic<uint32_t> sequence_{0};
    std::atomic<double> time_{0.0}, offset_{0.0}, drift_{0.0}, end_{0.0};
};

}  // namespace tuublark
