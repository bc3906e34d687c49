// Sound files made on the spot for the audio tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/vorbis/vorbis_writer.h"

namespace tuublark::test {

using Bytes = std::vector<uint8_t>;

struct WavChunk {
    std::string Name;  // four characters
    Bytes Data;
};

// A RIFF WAVE file: "fmt " with the given fields (plus `fmtExtra` bytes),
// then `between` chunks, then "data". Odd-sized chunks get their pad byte.
Bytes MakeWav(uint16_t formatTag, uint16_t channels, uint32_t hertz, uint16_t bits, const Bytes& data,
              const std::vector<WavChunk>& between = {}, uint16_t fmtExtra = 0);

// 16-bit little-endian bytes of `values`.
Bytes Le16(const std::vector<int16_t>& values);

// A sine of `frames` frames at `hertz`, `tone` Hz, amplitude `level`, the
// same on every channel.
std::vector<float> Sine(int channels, int hertz, int frames, double tone, double level);

// Writes `bytes` to a fresh file in the temporary folder; returns its path.
std::string WriteTempFile(const std::string& name, const Bytes& bytes);

}  // namespace tuublark::test
