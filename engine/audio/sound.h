// Sounds and channels: what the game loads and plays.
//
// The current audio driver makes sounds and channels. The silent driver's
// sounds and channels do nothing; the mixer driver plays them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tuublark {

class TChannel {
public:
    virtual ~TChannel() = default;
    virtual void Stop() {}
    virtual void SetPaused(int32_t flag) { (void)flag; }
    virtual void SetVolume(float volume) { (void)volume; }
    virtual void SetPan(float pan) { (void)pan; }
    virtual void SetDepth(float depth) { (void)depth; }
    virtual void SetRate(float rate) { (void)rate; }
    virtual int32_t Playing() { return 0; }
};

using ChannelRef = std::shared_ptr<TChannel>;

class TSound {
public:
    virtual ~TSound() = default;
    // Starts the sound on `channel` (or a new channel when null); returns
    // the channel it plays on, or null.
    virtual ChannelRef Play(const ChannelRef& channel) { return channel; }
    virtual ChannelRef Cue(const ChannelRef& channel) { return channel; }
    std::string Path;  // where it was loaded from, for logs and traces
};

using SoundRef = std::shared_ptr<TSound>;

class TAudioDriver {
public:
    virtual ~TAudioDriver() = default;
    virtual SoundRef CreateSound(const std::string& path, int32_t flags);
    virtual ChannelRef AllocChannel() { return std::make_shared<TChannel>(); }
};

void SetAudioDriver(std::unique_ptr<TAudioDriver> driver);
// The current driver; the silent one until another is set.
TAudioDriver& AudioDriver();

// Null when the file is missing or no loader reads it. Non-zero flags loop.
SoundRef LoadSound(const std::string& path, int32_t flags);
ChannelRef AllocChannel();
ChannelRef PlaySound(const SoundRef& sound, const ChannelRef& channel);
void StopChannel(const ChannelRef& channel);
void SetChannelVolume(const ChannelRef& channel, float volume);
void SetChannelPan(const ChannelRef& channel, float pan);
void SetChannelDepth(const ChannelRef& channel, float depth);
void SetChannelRate(const ChannelRef& channel, float rate);
void SetChannelPaused(const ChannelRef& channel, int32_t flag);
int32_t ChannelPlaying(const ChannelRef& channel);

}  // namespace tuublark
