// Audio output on SDL2.
#pragma once

namespace tuublark {

// Opens the default output device for the mixer and makes the mixer the
// audio driver; false (silent driver kept) when no device opens.
bool OpenSdlAudio();
void CloseSdlAudio();
// Pauses the device while the game waits (minimised); harmless without one.
void PauseSdlAudio(bool paused);

}  // namespace tuublark
