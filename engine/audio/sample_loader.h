// Sound file loaders: WAV (PCM) and Ogg Vorbis, read through streams.
#pragma once

#include <string>

#include "engine/audio/audio_sample.h"
#include "engine/runtime/stream.h"

namespace tuublark {

// Each loader reads from the stream's current position and returns null
// when the data is not its format or is damaged. A stream error inside a
// loader is its refusal.
AudioSampleRef LoadWavSample(TStream& stream);
AudioSampleRef LoadOggSample(TStream& stream);

// Tries WAV, then Ogg Vorbis, each from the same starting position.
AudioSampleRef LoadAudioSample(TStream& stream);
// Null when the file cannot be opened or no loader reads it.
AudioSampleRef LoadAudioSample(const std::string& path);

}  // namespace tuublark
