#include "engine/audio/sample_loader.h"

#include "engine/engine.h"
#include "engine/runtime/filesystem.h"

namespace tuublark {
namespace {

using SampleLoader = AudioSampleRef (*)(TStream&);

// Newest registration first: Ogg Vorbis was registered before WAV.
const SampleLoader kLoaders[] = {LoadWavSample, LoadOggSample};

}  // namespace

bool SoundTooLong(int64_t frames, int64_t hertz, int32_t bytesPerFrame) {
    return frames > kMaxSoundSeconds * hertz || frames * bytesPerFrame > kMaxSoundBytes;
}

AudioSampleRef LoadAudioSample(TStream& stream) {
    const int64_t start = stream.Position();
    for (SampleLoader loader : kLoaders) {
        if (!stream.Seek(start)) return nullptr;
        try {
            if (AudioSampleRef sample = loader(stream)) return sample;
        } catch (const TStreamError&) {
        } catch (const std::exception&) {
            return nullptr;  // memory refused: the sound cannot be read
        }
    }
    return nullptr;
}

AudioSampleRef LoadAudioSample(const std::string& path) {
    std::unique_ptr<TStream> stream = OpenStream(path);
    if (!stream) return nullptr;
    return LoadAudioSample(*stream);
}

SharedAudioSample LoadSharedAudioSample(const std::string& path) {
    TSampleCache& cache = Engine().Samples();
    std::mutex& mutex = cache.Lock;
    auto& decoded = cache.Decoded;
    std::string file = ResolveAssetPath(path);
    if (file.empty()) return nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto found = decoded.find(file);
        if (found != decoded.end()) return found->second;
    }
    // Decoded outside the lock; two threads asking at once both decode and
    // the first result is kept.
    SharedAudioSample sample = LoadAudioSample(path);
    if (!sample) return nullptr;
    std::lock_guard<std::mutex> lock(mutex);
    return decoded.emplace(file, std::move(sample)).first->second;
}

}  // namespace tuublark
