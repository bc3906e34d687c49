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

// The stored pixels, a row at a time: raw, or run-length packets, which
// may run on from one row into the next.
class TStoredPixels {
public:
    TStoredPixels(TStream& stream, bool runLength, int32_t pixelBytes)
        : stream_(stream), runLength_(runLength), pixelBytes_(pixelBytes), repeated_(pixelBytes) {}

    void Read(uint8_t* out, int32_t count) {
        if (!runLength_) {
            stream_.ReadExactly(out, static_cast<size_t>(count) * pixelBytes_);
            return;
        }
        while (count > 0) {
            if (left_ == 0) StartPacket();
            int32_t n = std::min(left_, count);
            if (repeat_) {
                for (int32_t i = 0; i < n; ++i) std::copy(repeated_.begin(), repeated_.end(), out + i * pixelBytes_);
            } else {
                stream_.ReadExactly(out, static_cast<size_t>(n) * pixelBytes_);
            }
            out += static_cast<size_t>(n) * pixelBytes_;
            count -= n;
            left_ -= n;
        }
    }

private:
    void StartPacket() {
        uint8_t packet = stream_.ReadU8();
        left_ = (packet & 0x7F) + 1;
        repeat_ = (packet & 0x80) != 0;
        if (repeat_) stream_.ReadExactly(repeated_.data(), repeated_.size());
    }

    TStream& stream_;
    bool runLength_;
    int32_t pixelBytes_;
    std::vector<uint8_t> repeated_;
    int32_t left_ = 0;
    bool repeat_ = false;
};

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

    bool alpha = !mapped && h.Bits == 32 && (h.Descriptor & 0x0F) != 0;
    bool mapAlpha = mapped && h.MapBits == 32 && (h.Descriptor & 0x0F) != 0;
    int32_t format = alpha || mapAlpha ? PixelFormatRGBA8888 : PixelFormatRGB888;
    int32_t outBytes = BytesPerPixel(format);
    PixmapRef pixmap = CreatePixmap(h.Width, h.Height, format);
    bool topDown = (h.Descriptor & 0x20) != 0, rightToLeft = (h.Descriptor & 0x10) != 0;
    TStoredPixels stored(stream, h.ImageType == 10, pixelBytes);
    std::vector<uint8_t> storedRow(static_cast<size_t>(h.Width) * pixelBytes);
    for (int32_t y = 0; y < h.Height; ++y) {
        stored.Read(storedRow.data(), h.Width);
        uint8_t* row = pixmap->Row(topDown ? y : h.Height - 1 - y);
        for (int32_t x = 0; x < h.Width; ++x) {
            const uint8_t* p = &storedRow[static_cast<size_t>(x) * pixelBytes];
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
