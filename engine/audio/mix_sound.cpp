#include "engine/audio/mix_sound.h"

namespace tuublark {

TMixSound::TMixSound(std::vector<int16_t> frames, int32_t hertz, bool loop)
    : Hertz(hertz), Length(static_cast<int32_t>(frames.size() / 2)), LoopFlag(loop ? -1 : 0), Data(std::move(frames)) {}

void TMixSound::Release() {
    // acq_rel: every use of the data by the releasing threads happens before
    // the delete.
    if (refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

}  // namespace tuublark
