#include "engine/image/texture_layout.h"

#include <algorithm>
#include <cstring>

namespace tuublark {

int32_t NextPowerOfTwo(int32_t n) {
    int32_t p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

bool CalculateTextureSize(int32_t width, int32_t height, const std::function<bool(int32_t, int32_t)>& fits,
                          int32_t& texWidth, int32_t& texHeight) {
    int32_t w = NextPowerOfTwo(width), h = NextPowerOfTwo(height);
    while (!fits(w, h)) {
        if (w == 1 && h == 1) return false;
        if (w > 1) w /= 2;
        if (h > 1) h /= 2;
    }
    texWidth = w;
    texHeight = h;
    return true;
}

TTextureLayout LayOutTexture(const PixmapRef& pictureRef, int32_t texWidth, int32_t texHeight) {
    const TPixmap& picture = *pictureRef;
    TTextureLayout layout;
    layout.TexWidth = texWidth;
    layout.TexHeight = texHeight;
    if (picture.Width <= 0 || picture.Height <= 0) {
        layout.Level0 = CreatePixmap(texWidth, texHeight, PixelFormatRGBA8888);  // nothing to show
        return layout;
    }
    PixmapRef shrunk;
    const TPixmap* source = &picture;
    if (picture.Width > texWidth || picture.Height > texHeight) {
        shrunk = ResizePixmap(picture, std::min(picture.Width, texWidth), std::min(picture.Height, texHeight));
        source = shrunk.get();
    }
    int32_t w = source->Width, h = source->Height;
    if (w < texWidth || h < texHeight) {
        PixmapRef texture = CreatePixmap(texWidth, texHeight, PixelFormatRGBA8888);
        PastePixmap(*texture, *source, 0, 0);
        if (w < texWidth)
            for (int32_t y = 0; y < h; ++y) std::memcpy(texture->Row(y) + w * 4, texture->Row(y) + (w - 1) * 4, 4);
        if (h < texHeight) std::memcpy(texture->Row(h), texture->Row(h - 1), static_cast<size_t>(w) * 4);
        if (w < texWidth && h < texHeight) std::memcpy(texture->Row(h) + w * 4, texture->Row(h - 1) + (w - 1) * 4, 4);
        layout.Level0 = texture;
    } else {
        const PixmapRef& whole = shrunk ? shrunk : pictureRef;
        bool ready = whole->Format == PixelFormatRGBA8888 && whole->Pitch == w * 4;
        layout.Level0 = ready ? whole : ConvertPixmap(*source, PixelFormatRGBA8888);
    }
    layout.U1 = static_cast<float>(w) / static_cast<float>(texWidth);
    layout.V1 = static_cast<float>(h) / static_cast<float>(texHeight);
    return layout;
}

PixmapRef NextMipmapLevel(const TPixmap& level) {
    return ResizePixmap(level, level.Width > 1 ? level.Width / 2 : 1, level.Height > 1 ? level.Height / 2 : 1);
}

}  // namespace tuublark
