// The picture loaders behind LoadPixmap. Each reads from the stream's
// current position and returns null for data it does not recognise; a
// TStreamError (truncated data) also means "not recognised".
#pragma once

#include <cstdint>

#include "engine/image/pixmap.h"

namespace tuublark {

// Pictures wider or taller than this are refused by every loader.
constexpr int32_t MaxPictureSide = 16384;

PixmapRef LoadBmpPixmap(TStream& stream);
PixmapRef LoadJpegPixmap(TStream& stream);
PixmapRef LoadPngPixmap(TStream& stream);
PixmapRef LoadTgaPixmap(TStream& stream);

// Bytes left in the stream after its position.
int64_t BytesLeft(const TStream& stream);

}  // namespace tuublark
