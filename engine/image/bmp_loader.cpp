// BMP pictures: 1, 4, 8 and 24 bits per pixel, uncompressed, bottom-up or
// top-down rows, any info header of 40 bytes or more.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"

namespace tuublark {

PixmapRef LoadBmpPixmap(TStream& stream) {
    int64_t start = stream.Position();
    uint8_t signature[2];
    if (stream.Read(signature, 2) != 2 || signature[0] != 'B' || signature[1] != 'M') return nullptr;
    stream.ReadU32LE();  // file size
    stream.ReadU32LE();  // reserved
    uint32_t dataOffset = stream.ReadU32LE();
    uint32_t headerSize = stream.ReadU32LE();
    int32_t width = stream.ReadI32LE();
    int32_t height = stream.ReadI32LE();
    stream.ReadU16LE();  // planes
    int32_t bitCount = stream.ReadU16LE();
    uint32_t compression = stream.ReadU32LE();
    stream.ReadU32LE();  // image size
    stream.ReadU32LE();  // horizontal resolution
    stream.ReadU32LE();  // vertical resolution
    uint32_t coloursUsed = stream.ReadU32LE();
    stream.ReadU32LE();  // colours important

    // Older 12-byte core headers lay their fields out differently.
    if (headerSize < 40 || compression != 0) return nullptr;
    bool topDown = height < 0;
    int64_t rows = std::llabs(static_cast<int64_t>(height));
    if (width <= 0 || width > MaxPictureSide || rows == 0 || rows > MaxPictureSide) return nullptr;
    // Larger (version 4 and 5) headers carry colour masks and colour space
    // data the palette comes after.
    stream.Skip(static_cast<int64_t>(headerSize) - 40);

    std::vector<uint8_t> palette(256 * 4, 0);
    if (bitCount == 1 || bitCount == 4 || bitCount == 8) {
        int64_t entries = coloursUsed ? coloursUsed : (int64_t{1} << bitCount);
        if (entries * 4 > BytesLeft(stream)) return nullptr;
        int64_t kept = std::min<int64_t>(entries, int64_t{1} << bitCount);
        stream.ReadExactly(palette.data(), static_cast<size_t>(kept * 4));
        stream.Skip((entries - kept) * 4);  // entries beyond the bit count are ignored
    }

    // The rows start at the data offset; writers that leave it 0 (or point
    // into the headers) get the rows right after the palette.
    if (dataOffset != 0 && start + dataOffset >= stream.Position()) {
        if (!stream.Seek(start + dataOffset)) return nullptr;
    }

    // Rows of an undecoded bit count must still be in the file, at one bit
    // per pixel at least: a header alone must not make a huge picture.
    int64_t rowBytes = (static_cast<int64_t>(width) * std::max<int32_t>(bitCount, 1) + 31) / 32 * 4;
    if (rowBytes * rows > BytesLeft(stream)) return nullptr;
    PixmapRef pixmap = CreatePixmap(width, static_cast<int32_t>(rows), PixelFormatRGB888);
    // Other bit counts are not decoded: the picture stays black.
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return pixmap;

    std::vector<uint8_t> line(static_cast<size_t>(rowBytes));
    for (int64_t i = 0; i < rows; ++i) {
        stream.ReadExactly(line.data(), line.size());
        uint8_t* out = pixmap->Row(static_cast<int32_t>(topDown ? i : rows - 1 - i));
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* bgr;
            if (bitCount == 24) {
                bgr = &line[static_cast<size_t>(x) * 3];
            } else {
                int32_t bit = x * bitCount;
                int32_t shift = 8 - bitCount - (bit & 7);  // leftmost pixel in the high bits
                int32_t index = (line[static_cast<size_t>(bit >> 3)] >> shift) & ((1 << bitCount) - 1);
                bgr = &palette[static_cast<size_t>(index) * 4];
            }
            out[x * 3 + 0] = bgr[2];
            out[x * 3 + 1] = bgr[1];
            out[x * 3 + 2] = bgr[0];
        }
    }
    return pixmap;
}

}  // namespace tuublark
