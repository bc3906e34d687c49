// Picture files built in memory for the loader tests.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/image/pixmap.h"

namespace tuublark::test {

using Bytes = std::vector<uint8_t>;

struct TBmpLayout {
    int32_t Width = 2, Height = 2;  // negative height: top-down rows
    int32_t BitCount = 24;
    uint32_t HeaderSize = 40;
    uint32_t Compression = 0;
    uint32_t ColoursUsed = 0;
    std::vector<uint32_t> Palette;  // 0x00RRGGBB entries
    uint32_t Gap = 0;               // bytes between palette and rows (data offset honoured)
    // Row bytes as stored in the file, in file order, unpadded; padding is added.
    std::vector<Bytes> Rows;
};

Bytes MakeBmp(const TBmpLayout& layout);
// A 24-bit bottom-up BMP of the pixmap (RGB888 rows top first).
Bytes MakeBmp24(const std::vector<std::vector<uint32_t>>& rowsTopFirst);

// Bytes of a PNG written by SavePixmapPNG.
Bytes MakePng(const TPixmap& pixmap);
// Writes `bytes` at offset `at` of a PNG's header chunk and mends its CRC.
void PatchPngHeader(Bytes& png, size_t at, const Bytes& bytes);
Bytes MakeJpeg(int32_t width, int32_t height, uint8_t r, uint8_t g, uint8_t b);

PixmapRef LoadFromBytes(const Bytes& bytes);

void PutLE16(Bytes& b, uint32_t v);
void PutLE32(Bytes& b, uint32_t v);

}  // namespace tuublark::test
