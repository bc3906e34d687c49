#include "engine/platform/sdl_audio.h"

namespace tuublark {

// The mixer's output arrives with the sound work; until then the silent
// driver plays.
bool OpenSdlAudio() { return false; }
void CloseSdlAudio() {}
void PauseSdlAudio(bool) {}

}  // namespace tuublark
