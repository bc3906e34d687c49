#include "engine/audio/output_clock.h"

#include <algorithm>
#include <cmath>

#include "engine/audio/mixer.h"

namespace tuublark {

void TOutputClock::Stamp(double now, int64_t framesBefore, int32_t frames) {
    calls_[next_] = {now, now - static_cast<double>(framesBefore) / kOutputHertz};
    next_ = (next_ + 1) % kWindow;
    count_ = std::min(count_ + 1, kWindow);
    TPoint median = Median(count_);
    if (count_ >= 2 * kRecent) {
        const TPoint recent = Median(kRecent);
        if (std::fabs(recent.Offset - median.Offset) > kStep) {
            // The newer half of those calls at least came after the step.
            count_ = kRecent / 2, markCount_ = 0, sinceMark_ = 0;
            median = Median(count_);
        }
    }

    if (++sinceMark_ >= kWindow / 4) {
        sinceMark_ = 0;
        if (markCount_ == static_cast<int32_t>(marks_.size())) {
            std::copy(marks_.begin() + 1, marks_.end(), marks_.begin());
            --markCount_;
        }
        marks_[markCount_++] = median;
    }
    double drift = 0;
    if (markCount_ > 0 && median.Time - marks_[0].Time >= kDriftSpan)
        drift = (median.Offset - marks_[0].Offset) / (median.Time - marks_[0].Time);
    Publish(median, drift, static_cast<double>(framesBefore + frames));
}

TOutputClock::TPoint TOutputClock::Median(int32_t calls) {
    // The newest calls end at next_ - 1.
    double timeSum = 0;
    for (int32_t i = 0; i < calls; ++i) {
        const TPoint& call = calls_[(next_ - 1 - i + kWindow) % kWindow];
        scratch_[i] = call.Offset;
        timeSum += call.Time;
    }
    auto middle = scratch_.begin() + calls / 2;
    std::nth_element(scratch_.begin(), middle, scratch_.begin() + calls);
    return {timeSum / calls, *middle};
}

void TOutputClock::Publish(TPoint median, double drift, double end) {
    // Sequentially consistent throughout: a reader that sees the same even
    // count before and after its reads saw no write in between.
    const uint32_t sequence = sequence_.load();
    sequence_.store(sequence + 1);
    time_.store(median.Time);
    offset_.store(median.Offset);
    drift_.store(drift);
    end_.store(end);
    sequence_.store(sequence + 2);
}

double TOutputClock::At(double now) const {
    uint32_t before, after;
    double time, offset, drift, end;
    do {
        before = sequence_.load();
        time = time_.load();
        offset = offset_.load();
        drift = drift_.load();
        end = end_.load();
        after = sequence_.load();
    } while (before != after || (before & 1));
    if (before == 0) return -1.0;
    return std::clamp((now - offset - drift * (now - time)) * kOutputHertz, 0.0, end + kStallFrames);
}

}  // namespace tuublark
