// How a picture is laid into a power-of-two texture: the texture size the
// renderer accepts, the shrink when the picture does not fit, and the
// replicated edge that keeps filtering from sampling past the picture.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/image/pixmap.h"

namespace tuublark {

struct TTextureLayout {
    int32_t TexWidth = 0, TexHeight = 0;  // texture size
    PixmapRef Level0;                     // RGBA pixels of the whole texture
    float U1 = 0, V1 = 0;                 // picture's far corner in texture coordinates
};

int32_t NextPowerOfTwo(int32_t n);

// The picture size raised to powers of two, halved in each dimension above
// 1 while `fits` refuses it. False when not even 1x1 fits.
bool CalculateTextureSize(int32_t width, int32_t height, const std::function<bool(int32_t, int32_t)>& fits,
                          int32_t& texWidth, int32_t& texHeight);

// Shrinks the picture to the texture size where needed, pastes it at 0, 0
// of an RGBA texture pixmap and copies its last column, last row and
// corner one pixel beyond it. An RGBA picture of exactly the texture size
// is used as it is, not copied.
TTextureLayout LayOutTexture(const PixmapRef& picture, int32_t texWidth, int32_t texHeight);

// The next smaller mipmap level: each dimension above 1 halved.
PixmapRef NextMipmapLevel(const TPixmap& level);

}  // namespace tuublark
