#include "engine/audio/sample_loader.h"

#include <future>
#include <mutex>

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
    using TDecoding = std::shared_future<SharedAudioSample>;
    TSampleCache& cache = Engine().Samples();
    std::mutex& mutex = cache.Lock;
    auto& decoded = cache.Decoded;
    std::string file = ResolveAssetPath(path);
    if (file.empty()) return nullptr;
    // The first caller decodes; one asking meanwhile waits for its result
    // instead of decoding the same file beside it, which would double the
    // memory a long sound takes. A refusal is not kept: the file may be
    // mended before the next call.
    std::promise<SharedAudioSample> promise;
    TDecoding decoding;
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto found = decoded.find(file);
        first = found == decoded.end();
        if (first) found = decoded.emplace(file, promise.get_future().share()).first;
        decoding = found->second;
    }
    if (!first) return TEngine::Await(decoding);
    SharedAudioSample sample;
    try {
        sample = LoadAudioSample(path);
    } catch (...) {
    }
    if (!sample) {
        std::lock_guard<std::mutex> lock(mutex);
        decoded.erase(file);
    }
    promise.set_value(sample);
    return sample;
}

}  // namespace tuublark
