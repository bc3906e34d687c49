// Writing pictures as uncompressed 24-bit BMP files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tuublark::assetgen {

// An opaque picture: Width x Height pixels, rows top to bottom, R G B bytes.
struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgb;
};

// The complete BMP file: 54-byte header, rows bottom-up, each padded to a
// multiple of four bytes.
std::vector<uint8_t> EncodeBmp(const Picture& picture);

}  // namespace tuublark::assetgen
