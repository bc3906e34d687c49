// Sound file loaders: WAV (PCM) and Ogg Vorbis, read through streams.
#pragma once

#include <future>
#include <map>
#include <mutex>
#include <string>

#include "engine/audio/audio_sample.h"
#include "engine/runtime/stream.h"

namespace tuublark {

// Each loader reads from the stream's current position and returns null
// when the data is not its format or is damaged. A stream error inside a
// loader is its refusal.
AudioSampleRef LoadWavSample(TStream& stream);
// Longer sounds are refused: ten minutes, and no more data than ten minutes
// of 44.1 kHz 16-bit stereo (106 MB) whatever the rate, so that a small
// file of silence cannot take gigabytes.
constexpr int64_t kMaxSoundSeconds = 600;
constexpr int64_t kMaxSoundBytes = kMaxSoundSeconds * 44100 * 4;
bool SoundTooLong(int64_t frames, int64_t hertz, int32_t bytesPerFrame);
AudioSampleRef LoadOggSample(TStream& stream);

// Tries WAV, then Ogg Vorbis, each from the same starting position.
AudioSampleRef LoadAudioSample(TStream& stream);
// Null when the file cannot be opened or no loader reads it.
AudioSampleRef LoadAudioSample(const std::string& path);

using SharedAudioSample = std::shared_ptr<const TAudioSample>;

// The engine's decoded samples, by the file's real path.
struct TSampleCache {
    std::mutex Lock;
    // By the file's real path; a decoding under way is waited for.
    std::map<std::string, std::shared_future<SharedAudioSample>> Decoded;
};

// The decoded sample of a game file, decoded once per run and kept: the
// start-up check, the sounds loaded at start-up and every skin's drum loop,
// loaded again at each new game, share it. Safe from any thread. Null
// (and not kept) when the file cannot be read.
SharedAudioSample LoadSharedAudioSample(const std::string& path);

}  // namespace tuublark
