// Audio output on SDL2: the default device pulls 44100 Hz 16-bit stereo
// from the software mixer in short periods, and a sound is heard a fixed
// latency after the frame that played it.
//
// The period is about a quarter of the latency, in whole 10 ms (441 frames
// at the default latency), so that a start made anywhere in a frame still
// reaches the mixer before its sample is due. A device that runs dry (a
// callback later than two periods) gets a period twice as long, once, and
// says so on stderr.
//
// When the device goes away (headphones unplugged) a helper thread reopens
// the default device; the game thread never waits for audio.
#pragma once

#include <cstdint>

namespace tuublark {

// 2048 frames, 46 ms.
constexpr double kDefaultAudioLatencyMs = 2048 * 1000.0 / 44100;

// Opens the default output device for the mixer and makes the mixer the
// audio driver; false (silent driver kept) when no device opens.
// `latencyMs`, from the frame a sound is played in to its first sample in
// the output, is kept within 40..186 ms; 0 gives the default.
bool OpenSdlAudio(int32_t latencyMs = 0);
void CloseSdlAudio();
// Pauses the device while the game waits (minimised); harmless without one.
void PauseSdlAudio(bool paused);

// The SDL device id now playing the mixer, 0 when none. SDL may give a
// reopened device the id of the lost one.
uint32_t SdlAudioDevice();
// How many times the output was reopened after losing its device.
int32_t SdlAudioReopenCount();
// Callbacks that came too late for the device not to run dry.
int32_t SdlAudioUnderrunCount();
// The device's period in frames now, and the latency in frames.
int32_t SdlAudioPeriodFrames();
int32_t SdlAudioLatencyFrames();

}  // namespace tuublark
