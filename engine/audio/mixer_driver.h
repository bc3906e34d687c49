// The audio driver that plays through the software mixer.
//
// Sounds are converted to 16-bit stereo when they are made; channels are
// mixer handles. All calls come from the game thread; the mixer's output
// is pulled by whatever runs its mix passes (the audio device).
#pragma once

#include <memory>

#include "engine/audio/mixer.h"
#include "engine/audio/sound.h"

namespace tuublark {

class TMixerChannel : public TChannel {
public:
    TMixerChannel(std::shared_ptr<TMixer> mixer, int32_t handle) : mixer_(std::move(mixer)), handle_(handle) {}

    void Stop() override { mixer_->Stop(handle_); }
    void SetPaused(int32_t flag) override { mixer_->SetPaused(handle_, flag != 0); }
    // volume 0.7 -> 2867 of 4096
    void SetVolume(float volume) override;
    void SetPan(float pan) override;
    void SetDepth(float depth) override;
    void SetRate(float rate) override;
    int32_t Playing() override { return mixer_->Playing(handle_); }

    int32_t Handle() const { return handle_; }

private:
    std::shared_ptr<TMixer> mixer_;
    int32_t handle_;
};

class TMixerSound : public TSound {
public:
    TMixerSound(std::shared_ptr<TMixer> mixer, TMixSound* sound) : mixer_(std::move(mixer)), sound_(sound) {}
    ~TMixerSound() override { sound_->Release(); }

    TMixerSound(const TMixerSound&) = delete;
    TMixerSound& operator=(const TMixerSound&) = delete;

    ChannelRef Play(const ChannelRef& channel) override { return Start(channel, false); }
    ChannelRef Cue(const ChannelRef& channel) override { return Start(channel, true); }

    TMixSound& MixSound() const { return *sound_; }

private:
    ChannelRef Start(const ChannelRef& channel, bool paused);

    std::shared_ptr<TMixer> mixer_;
    TMixSound* sound_;  // one reference of our own
};

class TMixerAudioDriver : public TAudioDriver {
public:
    explicit TMixerAudioDriver(std::shared_ptr<TMixer> mixer) : mixer_(std::move(mixer)) {}

    using TAudioDriver::CreateSound;
    SoundRef CreateSound(const TAudioSample& sample, int32_t flags) override;
    ChannelRef AllocChannel() override;
    // Moves the mixer's frame clock on, stamped with SteadySeconds less the
    // frame's lateness.
    void BeginFrame(double lateSeconds) override;

    TMixer& Mixer() const { return *mixer_; }

private:
    std::shared_ptr<TMixer> mixer_;
};

// Seconds on a steady clock: the time the output stamps its mix calls with
// and frames begin at.
double SteadySeconds();

// Float settings to the mixer's integers, truncating toward zero; values
// beyond the integer range stop at its ends.
int16_t MixerLevel(float value);  // x 4096, for volume, pan and depth
int32_t MixerRate(float factor);  // x 65536

}  // namespace tuublark
