// The title's letter blocks, one cell in size, that fly out of the sweep
// line on the title screen.
#pragma once

#include <cairo.h>

#include "tools/assetgen/bmp_writer.h"

namespace tuublark::assetgen {

constexpr int kLetterBlockSize = 30;

// `index` 0..7 picks the block's colour along the title.
Picture DrawLetterBlock(char letter, int index);
// Paints the same block into (0, 0)-(kLetterBlockSize, kLetterBlockSize) of
// `cr` in its current transformation (the icon draws it larger).
void PaintLetterBlock(cairo_t* cr, char letter, int index);

}  // namespace tuublark::assetgen
