// Shared body of the picture fuzz targets: the bytes go through
// LoadPixmap (every loader in turn, as the game loads them) and through
// one loader alone, so a loader that an earlier one shadows is still
// reached. Whatever comes back must be a consistent pixmap that the
// game's masking and conversion can use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/image/pixmap.h"
#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"

namespace tuublark {

inline void CheckFuzzedPixmap(const PixmapRef& pixmap) {
    if (!pixmap) return;
    const TPixmap& p = *pixmap;
    if (p.Width < 1 || p.Height < 1 || p.Width > MaxPictureSide || p.Height > MaxPictureSide) __builtin_trap();
    if (BytesPerPixel(p.Format) == 0 || p.Pitch < p.Width * BytesPerPixel(p.Format)) __builtin_trap();
    if (p.Data.size() < static_cast<size_t>(p.Pitch) * static_cast<size_t>(p.Height)) __builtin_trap();
    // What the game does with a picture: mask pure green, convert for upload.
    PixmapRef masked = AlphaBits(p.Format) == 0 ? MaskPixmap(p, 0, 255, 0) : pixmap;
    if (masked) ConvertPixmap(*masked, PixelFormatRGBA8888);
}

inline int FuzzPixmapLoader(const uint8_t* data, size_t size, PixmapRef (*loader)(TStream&)) {
    {
        TMemoryStream stream(data, size);
        CheckFuzzedPixmap(LoadPixmap(stream));
    }
    TMemoryStream stream(data, size);
    try {
        CheckFuzzedPixmap(loader(stream));
    } catch (const TStreamError&) {
        // Truncated data: LoadPixmap treats this as "not recognised".
    }
    return 0;
}

}  // namespace tuublark
