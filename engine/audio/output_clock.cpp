#include "engine/audio/output_clock.h"

#include <algorithm>
#include <cmath>

#include "engine/audio/mixer.h"

namespace tuublark {

void TOutputClock::Stamp(double now, int64_t framesBefore) {
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
    Publish(median, drift);
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

void TOutputClock::Publish(TPoint median, double drift) {
    const uint32_t sequence = sequence_.load(std::memory_order_relaxed);
    sequence_.store(sequence + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    time_.store(median.Time, std::memory_order_relaxed);
    offset_.store(median.Offset, std::memory_order_relaxed);
    drift_.store(drift, std::memory_order_relaxed);
    sequence_.store(sequence + 2, std::memory_order_release);
}

double TOutputClock::At(double now) const {
    uint32_t before, after;
    double time, offset, drift;
    // Read again while the audio thread writes (odd count) or wrote
    // meanwhile; the fence keeps the second read of the count after the
    // fields.
    do {
        before = sequence_.load(std::memory_order_acquire);
        time = time_.load(std::memory_order_relaxed);
        offset = offset_.load(std::memory_order_relaxed);
        drift = drift_.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        after = sequence_.load(std::memory_order_relaxed);
    } while (before != after || (before & 1));
    if (before == 0) return -1.0;
    return std::max(0.0, (now - offset - drift * (now - time)) * kOutputHertz);
}

}  // namespace tuublark
