// Audio output on SDL2: the default device pulls 44100 Hz 16-bit stereo
// from the software mixer in blocks of 4096 frames.
//
// When the device goes away (headphones unplugged) a helper thread reopens
// the default device; the game thread never waits for audio.
#pragma once

#include <cstdint>

namespace tuublark {

// Opens the default output device for the mixer and makes the mixer the
// audio driver; false (silent driver kept) when no device opens.
// `latencyMs` sets the device's block size (rounded to a power of two
// frames, 256 to 8192); 0 keeps the mixer's 4096 frames.
bool OpenSdlAudio(int32_t latencyMs = 0);
void CloseSdlAudio();
// Pauses the device while the game waits (minimised); harmless without one.
void PauseSdlAudio(bool paused);

// The SDL device id now playing the mixer, 0 when none. SDL may give a
// reopened device the id of the lost one.
uint32_t SdlAudioDevice();
// How many times the output was reopened after losing its device.
int32_t SdlAudioReopenCount();

}  // namespace tuublark
