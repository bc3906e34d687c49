// TrueType (and other FreeType-readable) faces rendered at one pixel size
// into coverage pixmaps, one per character code 32 to 255.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/image/pixmap.h"

namespace tuublark {

struct TFreeTypeGlyph {
    PixmapRef Pixmap;  // PixelFormatA8 coverage; null for a glyph with no pixels
    float Advance = 0;
    int32_t X = 0, Y = 0, W = 0, H = 0;  // bitmap offset from the pen (Y down from the line top) and size
};

struct TFreeTypeFont {
    int32_t Style = 0, Height = 0, Ascender = 0, Descender = 0, FirstChar = 32;
    std::vector<TFreeTypeGlyph> Glyphs;  // codes FirstChar to 255

    // Null when the file cannot be read or opened as a face, or the face
    // accepts no pixel size from `size` down to 1.
    static std::unique_ptr<TFreeTypeFont> Load(const std::string& path, int32_t size, int32_t style);

private:
    static std::unique_ptr<TFreeTypeFont> LoadFace(const std::string& path, int32_t size, int32_t style);
};

}  // namespace tuublark
