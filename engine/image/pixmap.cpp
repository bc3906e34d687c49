#include "engine/image/pixmap.h"

#include <algorithm>
#include <cstring>

namespace tuublark {
namespace {

struct TRgba {
    uint8_t R, G, B, A;
};

TRgba ReadPixel(const uint8_t* p, int32_t format) {
    switch (format) {
        case PixelFormatI8: return {p[0], p[0], p[0], 255};
        case PixelFormatA8: return {255, 255, 255, p[0]};
        case PixelFormatBGR888: return {p[2], p[1], p[0], 255};
        case PixelFormatRGB888: return {p[0], p[1], p[2], 255};
        case PixelFormatBGRA8888: return {p[2], p[1], p[0], p[3]};
        case PixelFormatRGBA8888: return {p[0], p[1], p[2], p[3]};
        default: return {0, 0, 0, 0};
    }
}

void WritePixel(uint8_t* p, int32_t format, TRgba c) {
    switch (format) {
        case PixelFormatI8: p[0] = static_cast<uint8_t>((c.R + c.G + c.B) / 3); break;
        case PixelFormatA8: p[0] = c.A; break;
        case PixelFormatBGR888: p[0] = c.B, p[1] = c.G, p[2] = c.R; break;
        case PixelFormatRGB888: p[0] = c.R, p[1] = c.G, p[2] = c.B; break;
        case PixelFormatBGRA8888: p[0] = c.B, p[1] = c.G, p[2] = c.R, p[3] = c.A; break;
        case PixelFormatRGBA8888: p[0] = c.R, p[1] = c.G, p[2] = c.B, p[3] = c.A; break;
        default: break;
    }
}

// The pixmap in RGBA8888: the pixmap itself when it already is, else a copy.
const TPixmap& AsRgba(const TPixmap& pixmap, PixmapRef& holder) {
    if (pixmap.Format == PixelFormatRGBA8888) return pixmap;
    holder = ConvertPixmap(pixmap, PixelFormatRGBA8888);
    return *holder;
}

}  // namespace

int32_t BytesPerPixel(int32_t format) {
    switch (format) {
        case PixelFormatI8:
        case PixelFormatA8: return 1;
        case PixelFormatBGR888:
        case PixelFormatRGB888: return 3;
        case PixelFormatBGRA8888:
        case PixelFormatRGBA8888: return 4;
        default: return 0;
    }
}

int32_t AlphaBits(int32_t format) {
    return format == PixelFormatA8 || format == PixelFormatBGRA8888 || format == PixelFormatRGBA8888 ? 8 : 0;
}

PixmapRef CreatePixmap(int32_t width, int32_t height, int32_t format, int32_t align) {
    if (width < 0 || height < 0 || BytesPerPixel(format) == 0) return nullptr;
    auto pixmap = std::make_shared<TPixmap>();
    pixmap->Width = width;
    pixmap->Height = height;
    pixmap->Format = format;
    int32_t pitch = width * BytesPerPixel(format);
    if (align > 1) pitch = (pitch + align - 1) / align * align;
    pixmap->Pitch = pitch;
    pixmap->Data.assign(static_cast<size_t>(pitch) * static_cast<size_t>(height), 0);
    return pixmap;
}

PixmapRef ConvertPixmap(const TPixmap& pixmap, int32_t format) {
    PixmapRef out = CreatePixmap(pixmap.Width, pixmap.Height, format);
    if (!out || BytesPerPixel(pixmap.Format) == 0) return nullptr;
    int32_t inBytes = BytesPerPixel(pixmap.Format), outBytes = BytesPerPixel(format);
    for (int32_t y = 0; y < pixmap.Height; ++y) {
        const uint8_t* in = pixmap.Row(y);
        uint8_t* row = out->Row(y);
        if (format == pixmap.Format) {
            std::memcpy(row, in, static_cast<size_t>(pixmap.Width) * inBytes);
            continue;
        }
        for (int32_t x = 0; x < pixmap.Width; ++x)
            WritePixel(row + x * outBytes, format, ReadPixel(in + x * inBytes, pixmap.Format));
    }
    return out;
}

PixmapRef CopyPixmapWindow(const TPixmap& pixmap, int32_t x, int32_t y, int32_t width, int32_t height) {
    PixmapRef out = CreatePixmap(width, height, pixmap.Format);
    if (!out) return nullptr;
    // Parts of the window outside the source stay zero.
    PastePixmap(*out, pixmap, -x, -y);
    return out;
}

void PastePixmap(TPixmap& destination, const TPixmap& source, int32_t x, int32_t y) {
    PixmapRef converted;
    const TPixmap* src = &source;
    if (source.Format != destination.Format) {
        converted = ConvertPixmap(source, destination.Format);
        if (!converted) return;
        src = converted.get();
    }
    int32_t bytes = BytesPerPixel(destination.Format);
    int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
    int32_t x1 = std::min<int64_t>(static_cast<int64_t>(x) + src->Width, destination.Width);
    int32_t y1 = std::min<int64_t>(static_cast<int64_t>(y) + src->Height, destination.Height);
    if (bytes == 0 || x0 >= x1 || y0 >= y1) return;
    for (int32_t row = y0; row < y1; ++row)
        std::memcpy(destination.Row(row) + static_cast<size_t>(x0) * bytes,
                    src->Row(row - y) + static_cast<size_t>(x0 - x) * bytes, static_cast<size_t>(x1 - x0) * bytes);
}

PixmapRef MaskPixmap(const TPixmap& pixmap, int32_t r, int32_t g, int32_t b) {
    PixmapRef holder;
    if (BytesPerPixel(pixmap.Format) == 0) return nullptr;
    const TPixmap& in = AsRgba(pixmap, holder);
    PixmapRef out = CreatePixmap(in.Width, in.Height, PixelFormatRGBA8888);
    auto masked = [&](int32_t x, int32_t y) {
        const uint8_t* p = in.Row(y) + x * 4;
        return p[0] == r && p[1] == g && p[2] == b;
    };
    for (int32_t y = 0; y < in.Height; ++y) {
        for (int32_t x = 0; x < in.Width; ++x) {
            const uint8_t* p = in.Row(y) + x * 4;
            uint8_t* q = out->Row(y) + x * 4;
            if (!masked(x, y)) {
                q[0] = p[0], q[1] = p[1], q[2] = p[2], q[3] = 255;
                continue;
            }
            // A masked pixel takes the average colour of its unmasked
            // neighbours, so filtered or solid-drawn edges do not show the
            // mask colour.
            int32_t sum[3] = {0, 0, 0}, count = 0;
            for (int32_t ny = std::max(y - 1, 0); ny <= std::min(y + 1, in.Height - 1); ++ny)
                for (int32_t nx = std::max(x - 1, 0); nx <= std::min(x + 1, in.Width - 1); ++nx) {
                    if (masked(nx, ny)) continue;
                    const uint8_t* n = in.Row(ny) + nx * 4;
                    sum[0] += n[0], sum[1] += n[1], sum[2] += n[2];
                    ++count;
                }
            for (int c = 0; c < 3; ++c) q[c] = static_cast<uint8_t>(count ? sum[c] / count : 0);
            q[3] = 0;
        }
    }
    return out;
}

PixmapRef ResizePixmap(const TPixmap& pixmap, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || pixmap.Width <= 0 || pixmap.Height <= 0 || BytesPerPixel(pixmap.Format) == 0)
        return nullptr;
    PixmapRef holder;
    const TPixmap& in = AsRgba(pixmap, holder);
    PixmapRef out = CreatePixmap(width, height, PixelFormatRGBA8888);

    if (in.Width == 2 * width && in.Height == 2 * height) {
        // Exact halving (every mipmap level): each sample falls half-way
        // between two source pixels in both directions, so the bilinear
        // result is the truncated mean of a 2x2 block, computed exactly in
        // integers.
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* top = in.Row(2 * y);
            const uint8_t* bottom = in.Row(2 * y + 1);
            uint8_t* row = out->Row(y);
            for (int32_t i = 0; i < width * 4; ++i) {
                int32_t c = i & 3, x = i >> 2;
                int32_t sum = top[8 * x + c] + top[8 * x + 4 + c] + bottom[8 * x + c] + bottom[8 * x + 4 + c];
                row[i] = static_cast<uint8_t>(sum >> 2);
            }
        }
        if (pixmap.Format == PixelFormatRGBA8888) return out;
        return ConvertPixmap(*out, pixmap.Format);
    }

    // Source sample and weight for each destination column or row, sampled
    // at pixel centres.
    struct TTap {
        int32_t I0, I1;
        float F;
    };
    auto taps = [](int32_t from, int32_t to) {
        std::vector<TTap> list(static_cast<size_t>(to));
        float ratio = static_cast<float>(from) / static_cast<float>(to);
        for (int32_t i = 0; i < to; ++i) {
            float s = (static_cast<float>(i) + 0.5f) * ratio - 0.5f;
            TTap t{0, 0, 0.0f};
            if (s <= 0.0f) {
                t = {0, 0, 0.0f};
            } else if (s >= static_cast<float>(from - 1)) {
                t = {from - 1, from - 1, 0.0f};
            } else {
                int32_t i0 = static_cast<int32_t>(s);
                t = {i0, i0 + 1, s - static_cast<float>(i0)};
            }
            list[static_cast<size_t>(i)] = t;
        }
        return list;
    };
    std::vector<TTap> xs = taps(in.Width, width), ys = taps(in.Height, height);
    for (int32_t y = 0; y < height; ++y) {
        const TTap& ty = ys[static_cast<size_t>(y)];
        const uint8_t* top = in.Row(ty.I0);
        const uint8_t* bottom = in.Row(ty.I1);
        uint8_t* row = out->Row(y);
        for (int32_t x = 0; x < width; ++x) {
            const TTap& tx = xs[static_cast<size_t>(x)];
            for (int c = 0; c < 4; ++c) {
                float t = top[tx.I0 * 4 + c] + (top[tx.I1 * 4 + c] - top[tx.I0 * 4 + c]) * tx.F;
                float b = bottom[tx.I0 * 4 + c] + (bottom[tx.I1 * 4 + c] - bottom[tx.I0 * 4 + c]) * tx.F;
                row[x * 4 + c] = static_cast<uint8_t>(t + (b - t) * ty.F);
            }
        }
    }
    if (pixmap.Format == PixelFormatRGBA8888) return out;
    return ConvertPixmap(*out, pixmap.Format);
}

}  // namespace tuublark
