#include "engine/audio/sound.h"

#include "engine/audio/sample_loader.h"
#include "engine/engine.h"

namespace tuublark {
SoundRef TAudioDriver::CreateSound(const std::string& path, int32_t flags) {
    SharedAudioSample sample = LoadSharedAudioSample(path);
    if (!sample) return nullptr;
    SoundRef sound = CreateSound(*sample, flags);
    if (sound) sound->Path = path;
    return sound;
}

SoundRef TAudioDriver::CreateSound(const TAudioSample&, int32_t) { return std::make_shared<TSound>(); }

void SetAudioDriver(std::unique_ptr<TAudioDriver> driver) {
    Engine().SetAudio(driver ? std::move(driver) : std::make_unique<TAudioDriver>());
}

TAudioDriver& AudioDriver() { return Engine().Audio(); }

SoundRef LoadSound(const std::string& path, int32_t flags) { return AudioDriver().CreateSound(path, flags); }

ChannelRef AllocChannel() { return AudioDriver().AllocChannel(); }

void BeginAudioFrame(double lateSeconds) { AudioDriver().BeginFrame(lateSeconds); }

ChannelRef PlaySound(const SoundRef& sound, const ChannelRef& channel) {
    if (!sound) return nullptr;
    return sound->Play(channel);
}

void StopChannel(const ChannelRef& channel) {
    if (channel) channel->Stop();
}

void SetChannelVolume(const ChannelRef& channel, float volume) {
    if (channel) channel->SetVolume(volume);
}

void SetChannelPan(const ChannelRef& channel, float pan) {
    if (channel) channel->SetPan(pan);
}

void SetChannelDepth(const ChannelRef& channel, float depth) {
    if (channel) channel->SetDepth(depth);
}

void SetChannelRate(const ChannelRef& channel, float rate) {
    if (channel) channel->SetRate(rate);
}

void SetChannelPaused(const ChannelRef& channel, int32_t flag) {
    if (channel) channel->SetPaused(flag);
}

int32_t ChannelPlaying(const ChannelRef& channel) { return channel ? channel->Playing() : 0; }

}  // namespace tuublark
