// Encoding float samples as an Ogg Vorbis file in memory, the same bytes on
// every run: the asset generator's music and sounds, and the sound files
// the audio tests make on the spot.
#pragma once

#include <cstdint>
#include <vector>

namespace tuublark {

struct TVorbisSettings {
    float Quality = 0.4f;         // libvorbisenc's VBR quality, -0.1 .. 1
    int Serial = 1234;            // the Ogg stream serial; fixed, so output repeats
    const char* Title = nullptr;  // a TITLE comment when not null
};

// `interleaved` holds the frames of `channels` channels, values in -1..1.
// Throws std::runtime_error when the encoder refuses the format.
std::vector<uint8_t> EncodeOggVorbis(int channels, int hertz, const std::vector<float>& interleaved,
                                     const TVorbisSettings& settings = {});

}  // namespace tuublark
