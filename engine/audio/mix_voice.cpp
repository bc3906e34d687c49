#include "engine/audio/mixer.h"

namespace tuublark {
namespace {

// Source position step per output frame, in 32.32 interleaved values.
int64_t StepFor(int32_t rate, int32_t hertz) {
    // A negative rate would walk the position below the data; hold still.
    int64_t r = rate > 0 ? rate : 0;
    int64_t step16 = r * hertz / kOutputHertz;  // 16.16 source frames
    return (step16 << 16) * TMixSound::Channels;
}

}  // namespace

int32_t MixVoice(TVoice& voice, int32_t* accumulator, int32_t frames) {
    int32_t status = voice.Status.load(std::memory_order_acquire);
    if (status == VoiceFree) return -1;
    if (status & VoicePausedFlag) return -2;
    if (status == VoiceStopped) return 0;
    bool looping = status == VoiceLooping;

    const TMixSound& sound = *voice.Sound;
    const uint64_t end = static_cast<uint64_t>(sound.Length) * 2 << 32;
    if (end == 0) return looping ? 0 : 1;

    const int32_t targetRate = voice.TargetRate.load(std::memory_order_relaxed);
    const int16_t targetVolume = voice.TargetVolume.load(std::memory_order_relaxed);
    const int32_t pan = voice.TargetPan.load(std::memory_order_relaxed);
    const int32_t depth = voice.TargetDepth.load(std::memory_order_relaxed);

    int64_t step = StepFor(voice.Rate, sound.Hertz);
    const int64_t stepDelta = (StepFor(targetRate, sound.Hertz) - step) / frames;
    // Volume with 8 extra fractional bits so that the ramp is smooth.
    int32_t volume8 = voice.Volume * 256;
    const int32_t volumeDelta = (targetVolume - voice.Volume) * 256 / frames;

    const int16_t* data = sound.Data.data();
    uint64_t position = voice.Position;
    int32_t* out = accumulator;
    for (int32_t k = 0; k < frames; ++k, out += 2) {
        int32_t v = volume8 >> 8;
        int32_t leftGain = v;
        int32_t rightGain = v;
        if (pan > 0)
            leftGain = (v * (4096 - pan)) >> 12;
        else if (pan < 0)
            rightGain = (v * (4096 + pan)) >> 12;
        if (depth < 0) rightGain = -rightGain;

        // The nearest earlier frame: clear the lowest bit of the value index.
        size_t i = static_cast<size_t>(position >> 32) & ~static_cast<size_t>(1);
        out[0] += (data[i] * leftGain) >> 8;
        out[1] += (data[i + 1] * rightGain) >> 8;

        position += static_cast<uint64_t>(step);
        step += stepDelta;
        volume8 += volumeDelta;
        if (position >= end) {
            if (!looping) {
                voice.Position = position;
                return 1;
            }
            position %= end;
        }
    }
    voice.Position = position;
    voice.Rate = targetRate;
    voice.Volume = targetVolume;
    voice.Pan = static_cast<int16_t>(pan);
    voice.Depth = static_cast<int16_t>(depth);
    return 0;
}

}  // namespace tuublark
