// Cost of one mix pass (4096 stereo frames) with six voices playing, as in
// the game: two music loops, four effects, at volume 0.7.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/audio/mixer.h"

namespace tuublark {
namespace {

TMixSound* Noise(int32_t frames, int32_t hertz, uint32_t seed) {
    std::vector<int16_t> values(static_cast<size_t>(frames) * 2);
    for (int16_t& v : values) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<int16_t>(seed >> 16);
    }
    return new TMixSound(std::move(values), hertz, true);
}

void BM_MixPassSixVoices(benchmark::State& state) {
    TMixer mixer;
    std::vector<TMixSound*> sounds = {Noise(441000, 44100, 1), Noise(441000, 44100, 2), Noise(30000, 22050, 3),
                                      Noise(30000, 44100, 4),  Noise(20000, 48000, 5),  Noise(10000, 11025, 6)};
    for (TMixSound* sound : sounds) {
        int32_t channel = mixer.AllocChannel();
        mixer.SetVolume(channel, 2867);
        mixer.SetPan(channel, static_cast<int16_t>(channel % 3 == 0 ? 0 : 1024));
        mixer.StartVoice(sound, false, channel);
    }
    std::vector<int16_t> out(kMixValues);
    for (auto _ : state) {
        mixer.MixPass(out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kMixFrames);
    for (TMixSound* sound : sounds) sound->Release();
}
BENCHMARK(BM_MixPassSixVoices)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tuublark

BENCHMARK_MAIN();
