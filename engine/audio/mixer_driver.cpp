#include "engine/audio/mixer_driver.h"

#include <chrono>
#include <cmath>
#include <limits>

namespace tuublark {
namespace {

template <typename Int>
Int TruncateTo(double value) {
    // Out-of-range float to integer conversion is undefined; stop at the ends.
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
    if (value >= static_cast<double>(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
    return static_cast<Int>(value);
}

}  // namespace

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void TMixerAudioDriver::BeginFrame(double lateSeconds) { mixer_->BeginFrame(SteadySeconds() - lateSeconds); }

int16_t MixerLevel(float value) { return TruncateTo<int16_t>(static_cast<double>(value) * 4096.0); }
int32_t MixerRate(float factor) { return TruncateTo<int32_t>(static_cast<double>(factor) * 65536.0); }

void TMixerChannel::SetVolume(float volume) { mixer_->SetVolume(handle_, MixerLevel(volume)); }
void TMixerChannel::SetPan(float pan) { mixer_->SetPan(handle_, MixerLevel(pan)); }
void TMixerChannel::SetDepth(float depth) { mixer_->SetDepth(handle_, MixerLevel(depth)); }
void TMixerChannel::SetRate(float rate) { mixer_->SetRate(handle_, MixerRate(rate)); }

ChannelRef TMixerSound::Start(const ChannelRef& channel, bool paused) {
    int32_t handle = 0;
    if (channel) {
        auto* mixerChannel = dynamic_cast<TMixerChannel*>(channel.get());
        if (!mixerChannel) return nullptr;
        handle = mixerChannel->Handle();
    }
    int32_t result = mixer_->StartVoice(sound_, paused, handle);
    if (result == 0) return nullptr;
    if (!channel || result != handle) return std::make_shared<TMixerChannel>(mixer_, result);
    return channel;
}

SoundRef TMixerAudioDriver::CreateSound(const TAudioSample& sample, int32_t flags) {
    // Decoded music is already in the mixer's format: no converted copy.
    AudioSampleRef converted;
    if (sample.Format != SampleFormatStereo16LE) converted = ConvertAudioSample(sample, SampleFormatStereo16LE);
    const TAudioSample& stereo = converted ? *converted : sample;
    std::vector<int16_t> values(static_cast<size_t>(stereo.Length) * 2);
    const uint8_t* bytes = stereo.Samples;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<int16_t>(static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8));
    auto* sound = new TMixSound(std::move(values), sample.Hertz, flags != 0);
    return std::make_shared<TMixerSound>(mixer_, sound);
}

ChannelRef TMixerAudioDriver::AllocChannel() {
    int32_t handle = mixer_->AllocChannel();
    if (handle == 0) return nullptr;
    return std::make_shared<TMixerChannel>(mixer_, handle);
}

}  // namespace tuublark
