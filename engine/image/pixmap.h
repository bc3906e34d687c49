// Pixmaps: blocks of pixels in memory, their formats and conversions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tuublark {

class TStream;

enum PixelFormat : int32_t {
    PixelFormatI8 = 1,
    PixelFormatA8 = 2,
    PixelFormatBGR888 = 3,
    PixelFormatRGB888 = 4,
    PixelFormatBGRA8888 = 5,
    PixelFormatRGBA8888 = 6,
};

int32_t BytesPerPixel(int32_t format);
int32_t AlphaBits(int32_t format);

class TPixmap {
public:
    std::vector<uint8_t> Data;  // Pitch * Height bytes, zero-filled when made
    int32_t Width = 0, Height = 0, Pitch = 0, Format = 0;

    uint8_t* Pixels() { return Data.data(); }
    const uint8_t* Pixels() const { return Data.data(); }
    int32_t Capacity() const { return Pitch * Height; }
    uint8_t* Row(int32_t y) { return Data.data() + static_cast<size_t>(y) * Pitch; }
    const uint8_t* Row(int32_t y) const { return Data.data() + static_cast<size_t>(y) * Pitch; }
};

using PixmapRef = std::shared_ptr<TPixmap>;

PixmapRef CreatePixmap(int32_t width, int32_t height, int32_t format, int32_t align = 4);
PixmapRef ConvertPixmap(const TPixmap& pixmap, int32_t format);
PixmapRef CopyPixmapWindow(const TPixmap& pixmap, int32_t x, int32_t y, int32_t width, int32_t height);
void PastePixmap(TPixmap& destination, const TPixmap& source, int32_t x, int32_t y);
PixmapRef MaskPixmap(const TPixmap& pixmap, int32_t r, int32_t g, int32_t b);
PixmapRef ResizePixmap(const TPixmap& pixmap, int32_t width, int32_t height);

// Tries every picture loader, newest first; null when none recognises the
// data or the source cannot be opened.
PixmapRef LoadPixmap(const std::string& path);
PixmapRef LoadPixmap(TStream& stream);

// Writes an 8-bit RGB or RGBA PNG; false on failure.
bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path);

}  // namespace tuublark
