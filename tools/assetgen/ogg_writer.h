// The generator's sounds as Ogg Vorbis: 44100 Hz stereo at quality 0.5,
// through the shared writer (tools/vorbis).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/synth.h"
#include "tools/vorbis/vorbis_writer.h"

namespace tuublark::assetgen {

// `serial` is the Ogg stream serial number; a fixed one keeps the output
// reproducible.
inline std::vector<uint8_t> EncodeOggVorbis(const StereoBuffer& sound, int serial) {
    std::vector<float> interleaved;
    interleaved.reserve(sound.Frames() * 2);
    for (size_t i = 0; i < sound.Frames(); ++i) {
        interleaved.push_back(sound.Left[i]);
        interleaved.push_back(sound.Right[i]);
    }
    return tuublark::EncodeOggVorbis(2, kSampleRate, interleaved, {0.5f, serial, "TUUBLARK"});
}

}  // namespace tuublark::assetgen
