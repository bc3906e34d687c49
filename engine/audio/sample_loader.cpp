#include "engine/audio/sample_loader.h"

namespace tuublark {
namespace {

using SampleLoader = AudioSampleRef (*)(TStream&);

// Newest registration first: Ogg Vorbis was registered before WAV.
const SampleLoader kLoaders[] = {LoadWavSample, LoadOggSample};

}  // namespace

AudioSampleRef LoadAudioSample(TStream& stream) {
    const int64_t start = stream.Position();
    for (SampleLoader loader : kLoaders) {
        if (!stream.Seek(start)) return nullptr;
        try {
            if (AudioSampleRef sample = loader(stream)) return sample;
        } catch (const TStreamError&) {
        }
    }
    return nullptr;
}

AudioSampleRef LoadAudioSample(const std::string& path) {
    std::unique_ptr<TStream> stream = OpenStream(path);
    if (!stream) return nullptr;
    return LoadAudioSample(*stream);
}

}  // namespace tuublark
