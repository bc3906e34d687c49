// The glyph bitmap of the built-in 8x16 font, codes 32 to 127.
#pragma once

#include <cstdint>

namespace tuublark {

// Row r of character 32 + k is byte k of row r, least significant bit leftmost.
extern const uint8_t DefaultFontBitmap[16][96];

}  // namespace tuublark
