#include "engine/audio/mixer.h"

namespace tuublark {

int64_t MixStep(int32_t rate, int32_t hertz) {
    // A negative rate would walk the position below the data; hold still.
    int64_t r = rate > 0 ? rate : 0;
    int64_t step16 = r * hertz / kOutputHertz;  // 16.16 source frames
    return (step16 << 16) * TMixSound::Channels;
}

int32_t MixVoice(TVoice& voice, int32_t* accumulator, int32_t frames, int64_t blockStart) {
    int32_t status = voice.Status.load(std::memory_order_acquire);
    if (status == VoiceFree) return -1;
    if (status & VoicePausedFlag) return -2;
    if (status == VoiceStopped) return 0;
    bool looping = status == VoiceLooping;

    // A voice due later in this block starts at its own frame; one due after
    // it waits.
    int32_t first = 0;
    if (voice.StartFrame > blockStart) {
        if (voice.StartFrame - blockStart >= frames) return 0;
        first = static_cast<int32_t>(voice.StartFrame - blockStart);
    }

    const TMixSound& sound = *voice.Sound;
    const uint64_t end = static_cast<uint64_t>(sound.Length) * 2 << 32;
    if (end == 0) return looping ? 0 : 1;

    const int32_t targetRate = voice.TargetRate.load(std::memory_order_relaxed);
    const int16_t targetVolume = voice.TargetVolume.load(std::memory_order_relaxed);
    const int32_t pan = voice.TargetPan.load(std::memory_order_relaxed);
    const int32_t depth = voice.TargetDepth.load(std::memory_order_relaxed);

    // A changed target starts a ramp from where the voice is now to the
    // target, over kRampFrames frames, however the output cuts its blocks.
    if (targetRate != voice.Rate || targetVolume != voice.Volume) {
        voice.StepDelta = (MixStep(targetRate, sound.Hertz) - voice.Step) / kRampFrames;
        voice.VolumeDelta = (targetVolume * 256 - voice.Volume8) / kRampFrames;
        voice.Rate = targetRate;
        voice.Volume = targetVolume;
        voice.RampLeft = kRampFrames;
    }
    int64_t step = voice.Step;
    int32_t volume8 = voice.Volume8;
    int32_t rampLeft = voice.RampLeft;

    const int16_t* data = sound.Data.data();
    uint64_t position = voice.Position;
    int32_t* out = accumulator + 2 * first;
    int32_t result = 0;
    for (int32_t k = first; k < frames; ++k, out += 2) {
        int32_t v = volume8 >> 8;
        int32_t leftGain = v;
        int32_t rightGain = v;
        if (pan > 0) leftGain = (v * (4096 - pan)) >> 12;
        else if (pan < 0) rightGain = (v * (4096 + pan)) >> 12;
        if (depth < 0) rightGain = -rightGain;

        // The nearest earlier frame: clear the lowest bit of the value index.
        size_t i = static_cast<size_t>(position >> 32) & ~static_cast<size_t>(1);
        out[0] += (data[i] * leftGain) >> 8;
        out[1] += (data[i + 1] * rightGain) >> 8;

        position += static_cast<uint64_t>(step);
        if (rampLeft > 0) {
            step += voice.StepDelta;
            volume8 += voice.VolumeDelta;
            if (--rampLeft == 0) {
                step = MixStep(voice.Rate, sound.Hertz);
                volume8 = voice.Volume * 256;
            }
        }
        if (position >= end) {
            if (!looping) {
                result = 1;
                break;
            }
            position %= end;
        }
    }
    voice.Position = position;
    voice.Step = step;
    voice.Volume8 = volume8;
    voice.RampLeft = rampLeft;
    voice.Pan = static_cast<int16_t>(pan);
    voice.Depth = static_cast<int16_t>(depth);
    return result;
}

}  // namespace tuublark
