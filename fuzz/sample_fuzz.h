// Shared body of the sound fuzz targets: the bytes go through
// LoadAudioSample (WAV, then Ogg Vorbis, as the game loads them) and
// through one loader alone. A decoded sample must hold the bytes its
// length and format promise, and convert to the mixer's 16-bit stereo.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/audio/sample_loader.h"
#include "engine/runtime/stream.h"

namespace tuublark {

inline void CheckFuzzedSample(const AudioSampleRef& sample) {
    if (!sample) return;
    if (sample->Length < 0 || sample->Hertz <= 0 || BytesPerFrame(sample->Format) == 0) __builtin_trap();
    if (sample->Length > 0 && !sample->Samples) __builtin_trap();
    // Touch the last byte: the data must be as long as the sample says.
    if (sample->ByteSize() > 0) {
        volatile uint8_t last = sample->Samples[sample->ByteSize() - 1];
        (void)last;
    }
    ConvertAudioSample(*sample, SampleFormatStereo16LE);
}

inline int FuzzSampleLoader(const uint8_t* data, size_t size, AudioSampleRef (*loader)(TStream&)) {
    {
        TMemoryStream stream(data, size);
        CheckFuzzedSample(LoadAudioSample(stream));
    }
    TMemoryStream stream(data, size);
    try {
        CheckFuzzedSample(loader(stream));
    } catch (const TStreamError&) {
        // Truncated data: LoadAudioSample treats this as a refusal.
    }
    return 0;
}

}  // namespace tuublark
