// The picture loaders behind LoadPixmap. Each reads from the stream's
// current position and returns null for data it does not recognise; a
// TStreamError (truncated data) also means "not recognised".
#pragma once

#include <cstdint>

#include "engine/image/pixmap.h"

namespace tuublark {

// Pictures wider or taller than this are refused by every loader, before
// their pixels are allocated: 16.7 million pixels at most (the game's
// largest picture is 800 x 600).
constexpr int32_t MaxPictureSide = 4096;

// A picture whose rows are made as its data arrives (AddRow), so that a
// file cut short never costs the whole picture its header states.
PixmapRef CreateGrowingPixmap(int32_t width, int32_t height, int32_t format);
// Row y of a growing picture, made with every row before it.
uint8_t* AddRow(TPixmap& pixmap, int32_t y);

PixmapRef LoadBmpPixmap(TStream& stream);
PixmapRef LoadJpegPixmap(TStream& stream);
PixmapRef LoadPngPixmap(TStream& stream);
PixmapRef LoadTgaPixmap(TStream& stream);

// Bytes left in the stream after its position.
int64_t BytesLeft(const TStream& stream);

}  // namespace tuublark
