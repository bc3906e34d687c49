#include "engine/audio/frame_clock.h"

#include <algorithm>
#include <cmath>

namespace tuublark {

void TFrameClock::Tick(double outputNow) {
    tickOutput_ = outputNow;
    const double natural = outputNow + latency_;
    if (anchored_) {
        ++frame_;
        const double error = anchor_ + static_cast<double>(frame_) * kFrameSamples - natural;
        if (std::fabs(error) > kJumpLimit && ++outlying_ < kJumpFrames) return;
        if (std::fabs(error) <= kJumpLimit) {
            outlying_ = 0;
            largest_ = seen_ == 0 ? error : std::max(largest_, error);
            if (++seen_ < kSpanFrames) return;
            seen_ = 0;
            if (std::fabs(largest_) > kDriftLimit) {
                anchor_ -= largest_;
                ++corrections_;
            }
            return;
        }
        ++jumps_;
    }
    anchored_ = true;
    anchor_ = natural;
    frame_ = 0;
    seen_ = 0;
    outlying_ = 0;
}

int64_t TFrameClock::StartFrame() const {
    if (!anchored_) return 0;
    return std::llround(anchor_ + static_cast<double>(frame_) * kFrameSamples);
}

}  // namespace tuublark
