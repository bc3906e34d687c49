// Encoding stereo sound as Ogg Vorbis, the same bytes on every run.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/synth.h"

namespace tuublark::assetgen {

// 44100 Hz stereo, quality-based VBR. `serial` is the Ogg stream serial
// number; a fixed one keeps the output reproducible.
std::vector<uint8_t> EncodeOggVorbis(const StereoBuffer& sound, int serial);

}  // namespace tuublark::assetgen
