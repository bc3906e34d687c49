// One playback of one sound in the mixer.
//
// A voice is owned by one thread at a time: the game thread while it sets
// it up, then the mixer from the moment it is queued in the started ring
// until it is handed back through the spare ring. Only the status, the
// target values and the owned handle are touched by both sides, and those
// are atomics.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/audio/mix_sound.h"

namespace tuublark {

enum : int32_t {
    VoiceFree = 0,     // to be returned to the spare pool
    VoiceStopped = 1,  // kept while attached to its channel, not mixed
    VoicePlayOnce = 2,
    VoiceLooping = 4,
    VoicePausedFlag = 16,
};

constexpr int32_t kNormalRate = 65536;  // 16.16: one source frame per output frame
constexpr int16_t kFullVolume = 4096;

struct TVoice {
    std::atomic<int32_t> Status{VoiceStopped};
    // The handle allocated for a play without a channel, else 0.
    std::atomic<int32_t> OwnHandle{0};

    TMixSound* Sound = nullptr;
    TVoice* Next = nullptr;  // active list link, mixer only
    // 32.32: upper half indexes the interleaved 16-bit values.
    uint64_t Position = 0;

    // The output frame of the voice's first sample; one already mixed past
    // starts at once.
    int64_t StartFrame = 0;
    // The output clock when the frame that started it began (-1 unknown),
    // and whether its first sample has been mixed: for the latency figures.
    double CalledAt = -1.0;
    bool Heard = false;

    // Owner's values: the rate and volume the voice plays at, or the ones
    // its ramp leads to while RampLeft frames of the ramp remain.
    int32_t Rate = kNormalRate;
    int16_t Volume = kFullVolume;
    int16_t Pan = 0;
    int16_t Depth = 0;
    // The ramp: the step (32.32 interleaved values per output frame) and
    // volume (8 extra fractional bits) now, and their change per frame.
    int64_t Step = 0;
    int64_t StepDelta = 0;
    int32_t Volume8 = kFullVolume * 256;
    int32_t VolumeDelta = 0;
    int32_t RampLeft = 0;
    // Targets are what setters write.
    std::atomic<int32_t> TargetRate{kNormalRate};
    std::atomic<int16_t> TargetVolume{kFullVolume};
    std::atomic<int16_t> TargetPan{0};
    std::atomic<int16_t> TargetDepth{0};

    // Game thread only: whether the mixer has ever been given this voice.
    // An idle voice that never played is the game thread's to recycle.
    bool HandedOver = false;
};

}  // namespace tuublark
