// Fuzz target: Ogg Vorbis sounds, through LoadAudioSample and through LoadOggSample alone.
#include "fuzz/sample_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tuublark::FuzzSampleLoader(data, size, tuublark::LoadOggSample);
}
