#include "engine/image/pixmap.h"

#include "engine/runtime/stream.h"

namespace tuublark {

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
    auto pixmap = std::make_shared<TPixmap>();
    pixmap->Width = width;
    pixmap->Height = height;
    pixmap->Format = format;
    int32_t pitch = width * BytesPerPixel(format);
    if (align > 1) pitch = (pitch + align - 1) / align * align;
    pixmap->Pitch = pitch;
    pixmap->Data.assign(static_cast<size_t>(pitch) * height, 0);
    return pixmap;
}

// Loaders arrive with the pictures work; until then nothing is recognised.
PixmapRef ConvertPixmap(const TPixmap&, int32_t) { return nullptr; }
PixmapRef CopyPixmapWindow(const TPixmap&, int32_t, int32_t, int32_t, int32_t) { return nullptr; }
void PastePixmap(TPixmap&, const TPixmap&, int32_t, int32_t) {}
PixmapRef MaskPixmap(const TPixmap&, int32_t, int32_t, int32_t) { return nullptr; }
PixmapRef ResizePixmap(const TPixmap&, int32_t, int32_t) { return nullptr; }
PixmapRef LoadPixmap(const std::string&) { return nullptr; }
PixmapRef LoadPixmap(TStream&) { return nullptr; }
bool SavePixmapPNG(const TPixmap&, const std::string&) { return false; }

}  // namespace tuublark
