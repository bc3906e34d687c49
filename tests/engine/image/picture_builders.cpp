#include "picture_builders.h"

#include <jpeglib.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "engine/runtime/stream.h"
#include "tests/support/game_process.h"

namespace tuublark::test {

void PutLE16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void PutLE32(Bytes& b, uint32_t v) {
    PutLE16(b, v & 0xFFFF);
    PutLE16(b, v >> 16);
}

Bytes MakeBmp(const TBmpLayout& layout) {
    Bytes pixels;
    for (const Bytes& row : layout.Rows) {
        pixels.insert(pixels.end(), row.begin(), row.end());
        while ((pixels.size() % 4) != 0) pixels.push_back(0);
    }
    uint32_t paletteBytes = static_cast<uint32_t>(layout.Palette.size()) * 4;
    uint32_t offset = 14 + layout.HeaderSize + paletteBytes + layout.Gap;
    Bytes b = {'B', 'M'};
    PutLE32(b, offset + static_cast<uint32_t>(pixels.size()));
    PutLE32(b, 0);
    PutLE32(b, offset);
    PutLE32(b, layout.HeaderSize);
    PutLE32(b, static_cast<uint32_t>(layout.Width));
    PutLE32(b, static_cast<uint32_t>(layout.Height));
    PutLE16(b, 1);
    PutLE16(b, static_cast<uint32_t>(layout.BitCount));
    PutLE32(b, layout.Compression);
    PutLE32(b, static_cast<uint32_t>(pixels.size()));
    PutLE32(b, 2835);
    PutLE32(b, 2835);
    PutLE32(b, layout.ColoursUsed);
    PutLE32(b, 0);
    // The rest of a larger header: masks and colour space, here a marker
    // pattern that would show up as colours if it were read as a palette.
    for (uint32_t i = 40; i < layout.HeaderSize; ++i) b.push_back(0xAB);
    for (uint32_t c : layout.Palette) PutLE32(b, c);
    for (uint32_t i = 0; i < layout.Gap; ++i) b.push_back(0xCD);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

Bytes MakeBmp24(const std::vector<std::vector<uint32_t>>& rowsTopFirst) {
    TBmpLayout layout;
    layout.Height = static_cast<int32_t>(rowsTopFirst.size());
    layout.Width = static_cast<int32_t>(rowsTopFirst[0].size());
    for (auto it = rowsTopFirst.rbegin(); it != rowsTopFirst.rend(); ++it) {
        Bytes row;
        for (uint32_t c : *it) {
            row.push_back(static_cast<uint8_t>(c));
            row.push_back(static_cast<uint8_t>(c >> 8));
            row.push_back(static_cast<uint8_t>(c >> 16));
        }
        layout.Rows.push_back(row);
    }
    return MakeBmp(layout);
}

Bytes MakePng(const TPixmap& pixmap) {
    const std::string path = Temp("picture.png");
    if (!SavePixmapPNG(pixmap, path)) throw std::runtime_error("cannot write test PNG");
    const std::string bytes = ReadFile(path);
    std::remove(path.c_str());
    return Bytes(bytes.begin(), bytes.end());
}

void PatchPngHeader(Bytes& png, size_t at, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), png.begin() + static_cast<std::ptrdiff_t>(at));
    uint32_t crc = static_cast<uint32_t>(crc32(0, &png[12], 17));  // IHDR's type and data
    for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
}

Bytes MakeJpeg(int32_t width, int32_t height, uint8_t r, uint8_t g, uint8_t b) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    Bytes row;
    for (int32_t x = 0; x < width; ++x) row.insert(row.end(), {r, g, b});
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

PixmapRef LoadFromBytes(const Bytes& bytes) {
    TMemoryStream stream(bytes);
    return LoadPixmap(stream);
}

}  // namespace tuublark::test
