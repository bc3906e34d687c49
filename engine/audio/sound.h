// Sounds and channels: what the game loads and plays.
//
// The current audio driver makes sounds and channels. The silent driver's
// sounds and channels do nothing; the mixer driver (mixer_driver.h) plays
// them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/audio/audio_sample.h"

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
    // Like Play, but starts paused.
    virtual ChannelRef Cue(const ChannelRef& channel) { return channel; }
    std::string Path;  // where it was loaded from, for logs and traces
};

using SoundRef = std::shared_ptr<TSound>;

// The silent driver; the mixer driver derives from it.
class TAudioDriver {
public:
    virtual ~TAudioDriver() = default;
    // Decodes the file and makes a sound of it; null when it cannot be read.
    virtual SoundRef CreateSound(const std::string& path, int32_t flags);
    // A sound of decoded data; non-zero flags loop.
    virtual SoundRef CreateSound(const TAudioSample& sample, int32_t flags);
    virtual ChannelRef AllocChannel() { return std::make_shared<TChannel>(); }
    // A game frame begins, `lateSeconds` after it was due: sounds started
    // from now on belong to it.
    virtual void BeginFrame(double lateSeconds) { (void)lateSeconds; }
};

void SetAudioDriver(std::unique_ptr<TAudioDriver> driver);
// The current engine's driver; the silent one until another is set (null
// sets it back).
TAudioDriver& AudioDriver();

// Null when the file is missing or no loader reads it. Non-zero flags loop.
SoundRef LoadSound(const std::string& path, int32_t flags);
ChannelRef AllocChannel();
// Once at the start of every game frame, so that sounds start in time with
// the frames they were played in. A frame that starts late (the pacing
// makes the time up) is timed from when it was due: the music keeps the
// frames' schedule instead of their wake-ups.
void BeginAudioFrame(double lateSeconds = 0.0);
ChannelRef PlaySound(const SoundRef& sound, const ChannelRef& channel);
void StopChannel(const ChannelRef& channel);
// Volume 0..1, pan -1 (left) .. 1 (right), depth (negative inverts the
// right side), rate as a speed factor. Values are not limited.
void SetChannelVolume(const ChannelRef& channel, float volume);
void SetChannelPan(const ChannelRef& channel, float pan);
void SetChannelDepth(const ChannelRef& channel, float depth);
void SetChannelRate(const ChannelRef& channel, float rate);
void SetChannelPaused(const ChannelRef& channel, int32_t flag);
int32_t ChannelPlaying(const ChannelRef& channel);

}  // namespace tuublark
