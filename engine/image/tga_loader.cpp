// TGA pictures: colour-mapped (type 1), true-colour (type 2) and
// run-length encoded true-colour (type 10), 15, 16, 24 or 32 bits.
#include <algorithm>
#include <vector>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"

namespace tuublark {
namespace {

struct TTgaHeader {
    uint8_t IdLength, ColourMapType, ImageType;
    uint16_t MapFirst, MapLength;
    uint8_t MapBits;
    uint16_t Width, Height;
    uint8_t Bits, Descriptor;
};

bool ColourBitsSupported(int32_t bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }

// One stored colour (little-endian B, G, R[, A] or 5-5-5) as R, G, B, A.
void DecodeColour(const uint8_t* p, int32_t bits, uint8_t* rgba) {
    if (bits == 15 || bits == 16) {
        int32_t v = p[0] | (p[1] << 8);
        auto five = [](int32_t c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); };
        rgba[0] = five((v >> 10) & 31), rgba[1] = five((v >> 5) & 31), rgba[2] = five(v & 31), rgba[3] = 255;
        return;
    }
    rgba[0] = p[2], rgba[1] = p[1], rgba[2] = p[0];
    rgba[3] = bits == 32 ? p[3] : 255;
}

}  // namespace

PixmapRef LoadTgaPixmap(TStream& stream) {
    // TGA has no signature: the header must be consistent to be recognised.
    TTgaHeader h;
    h.IdLength = stream.ReadU8();
    h.ColourMapType = stream.ReadU8();
    h.ImageType = stream.ReadU8();
    h.MapFirst = stream.ReadU16LE();
    h.MapLength = stream.ReadU16LE();
    h.MapBits = stream.ReadU8();
    stream.ReadU16LE();  // x origin
    stream.ReadU16LE();  // y origin
    h.Width = stream.ReadU16LE();
    h.Height = stream.ReadU16LE();
    h.Bits = stream.ReadU8();
    h.Descriptor = stream.ReadU8();

    bool mapped = h.ImageType == 1;
    if (h.ImageType != 1 && h.ImageType != 2 && h.ImageType != 10) return nullptr;
    if (h.ColourMapType > 1 || (mapped && (h.ColourMapType != 1 || h.Bits != 8 || !ColourBitsSupported(h.MapBits))))
        return nullptr;
    if (!mapped && !ColourBitsSupported(h.Bits)) return nullptr;
    if (h.ColourMapType == 1 && h.MapLength > 0 && !ColourBitsSupported(h.MapBits)) return nullptr;
    if (h.Width == 0 || h.Height == 0 || h.Width > MaxPictureSide || h.Height > MaxPictureSide) return nullptr;
    if (h.Descriptor & 0xC0) return nullptr;  // interleaved rows: obsolete and unsupported

    stream.Skip(h.IdLength);
    int32_t mapBytes = (h.MapBits + 7) / 8;
    std::vector<uint8_t> palette(static_cast<size_t>(h.MapLength) * 4, 0);
    if (h.ColourMapType == 1) {
        std::vector<uint8_t> raw(static_cast<size_t>(h.MapLength) * mapBytes);
        stream.ReadExactly(raw.data(), raw.size());
        for (int32_t i = 0; i < h.MapLength; ++i)
            DecodeColour(&raw[static_cast<size_t>(i) * mapBytes], h.MapBits, &palette[i * 4]);
    }

    int32_t pixelBytes = (h.Bits + 7) / 8;
    int64_t count = static_cast<int64_t>(h.Width) * h.Height;
    // Every run packet covers at most 128 pixels with at least one header
    // byte and one pixel; raw data needs every pixel.
    int64_t least = h.ImageType == 10 ? (count + 127) / 128 * (1 + pixelBytes) : count * pixelBytes;
    if (least > BytesLeft(stream)) return nullptr;

    std::vector<uint8_t> stored(static_cast<size_t>(count * pixelBytes));
    if (h.ImageType == 10) {
        int64_t done = 0;
        while (done < count) {
            uint8_t packet = stream.ReadU8();
            int64_t run = std::min<int64_t>((packet & 0x7F) + 1, count - done);
            uint8_t* at = &stored[static_cast<size_t>(done * pixelBytes)];
            if (packet & 0x80) {
                stream.ReadExactly(at, static_cast<size_t>(pixelBytes));
                for (int64_t i = 1; i < run; ++i)
                    for (int32_t b = 0; b < pixelBytes; ++b) at[i * pixelBytes + b] = at[b];
            } else {
                stream.ReadExactly(at, static_cast<size_t>(run * pixelBytes));
            }
            done += run;
        }
    } else {
        stream.ReadExactly(stored.data(), stored.size());
    }

    bool alpha = !mapped && h.Bits == 32 && (h.Descriptor & 0x0F) != 0;
    bool mapAlpha = mapped && h.MapBits == 32 && (h.Descriptor & 0x0F) != 0;
    int32_t format = alpha || mapAlpha ? PixelFormatRGBA8888 : PixelFormatRGB888;
    int32_t outBytes = BytesPerPixel(format);
    PixmapRef pixmap = CreatePixmap(h.Width, h.Height, format);
    bool topDown = (h.Descriptor & 0x20) != 0, rightToLeft = (h.Descriptor & 0x10) != 0;
    for (int32_t y = 0; y < h.Height; ++y) {
        uint8_t* row = pixmap->Row(topDown ? y : h.Height - 1 - y);
        for (int32_t x = 0; x < h.Width; ++x) {
            const uint8_t* p = &stored[(static_cast<size_t>(y) * h.Width + x) * pixelBytes];
            uint8_t rgba[4] = {0, 0, 0, 255};
            if (mapped) {
                int32_t index = p[0] - h.MapFirst;
                if (index >= 0 && index < h.MapLength)
                    for (int c = 0; c < 4; ++c) rgba[c] = palette[static_cast<size_t>(index) * 4 + c];
            } else {
                DecodeColour(p, h.Bits, rgba);
            }
            uint8_t* out = row + (rightToLeft ? h.Width - 1 - x : x) * outBytes;
            for (int32_t c = 0; c < outBytes; ++c) out[c] = rgba[c];
        }
    }
    return pixmap;
}

}  // namespace tuublark
