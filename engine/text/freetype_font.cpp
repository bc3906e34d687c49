#include "engine/text/freetype_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cstdlib>

#include "engine/runtime/stream.h"

namespace tuublark {
namespace {

// Library and face released on every path out of Load.
struct TFaceHolder {
    FT_Library Library = nullptr;
    FT_Face Face = nullptr;
    ~TFaceHolder() {
        if (Face) FT_Done_Face(Face);
        if (Library) FT_Done_FreeType(Library);
    }
};

PixmapRef CoveragePixmap(const FT_Bitmap& bitmap) {
    int32_t width = static_cast<int32_t>(bitmap.width), rows = static_cast<int32_t>(bitmap.rows);
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return nullptr;
    // A damaged bitmap font can give a glyph a size but no pixels.
    if (!bitmap.buffer) return nullptr;
    PixmapRef pixmap = CreatePixmap(width, rows, PixelFormatA8);
    // A negative pitch means the rows are stored bottom-up.
    int32_t pitch = bitmap.pitch;
    const uint8_t* first = pitch >= 0 ? bitmap.buffer : bitmap.buffer - static_cast<ptrdiff_t>(pitch) * (rows - 1);
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t* in = first + static_cast<ptrdiff_t>(pitch) * y;
        uint8_t* out = pixmap->Row(y);
        for (int32_t x = 0; x < width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                // Grey levels other than 256 are stretched to the full range.
                int32_t levels = bitmap.num_grays > 1 ? bitmap.num_grays : 256;
                out[x] = static_cast<uint8_t>(in[x] * 255 / (levels - 1));
            } else {
                out[x] = (in[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            }
        }
    }
    return pixmap;
}

}  // namespace

std::unique_ptr<TFreeTypeFont> TFreeTypeFont::Load(const std::string& path, int32_t size, int32_t style) {
    try {
        return LoadFace(path, size, style);
    } catch (const std::exception&) {
        return nullptr;  // memory refused (std::bad_alloc): not readable
    }
}

std::unique_ptr<TFreeTypeFont> TFreeTypeFont::LoadFace(const std::string& path, int32_t size, int32_t style) {
    if (path.empty()) return nullptr;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes) || bytes.empty()) return nullptr;
    TFaceHolder holder;
    if (FT_Init_FreeType(&holder.Library) != 0) return nullptr;
    if (FT_New_Memory_Face(holder.Library, bytes.data(), static_cast<FT_Long>(bytes.size()), 0, &holder.Face) != 0)
        return nullptr;
    FT_Face face = holder.Face;
    // Faces with fixed bitmap sizes refuse sizes they lack: try smaller ones.
    int32_t pixels = size;
    while (pixels >= 1 && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) --pixels;
    if (pixels < 1) return nullptr;

    auto font = std::make_unique<TFreeTypeFont>();
    font->Style = style;
    font->Height = static_cast<int32_t>(face->size->metrics.height >> 6);
    font->Ascender = static_cast<int32_t>(face->size->metrics.ascender >> 6);
    font->Descender = static_cast<int32_t>(face->size->metrics.descender >> 6);
    font->FirstChar = 32;
    font->Glyphs.resize(256 - 32);
    for (int32_t code = 32; code <= 255; ++code) {
        TFreeTypeGlyph& glyph = font->Glyphs[static_cast<size_t>(code - 32)];
        FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
        glyph.Advance = static_cast<float>(face->glyph->advance.x / 64.0);
        // A damaged face can give a glyph thousands of pixels across: such a
        // glyph counts as one that does not render, before it is rendered.
        const int64_t largest = int64_t{16} * pixels;
        if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_BBox box;
            FT_Outline_Get_CBox(&face->glyph->outline, &box);
            if ((box.xMax - box.xMin) / 64 > largest || (box.yMax - box.yMin) / 64 > largest) continue;
        }
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        if (bitmap.width > largest || bitmap.rows > largest) continue;
        glyph.X = face->glyph->bitmap_left;
        glyph.Y = font->Ascender - face->glyph->bitmap_top;
        glyph.W = static_cast<int32_t>(bitmap.width);
        glyph.H = static_cast<int32_t>(bitmap.rows);
        if (bitmap.width != 0 && bitmap.rows != 0) glyph.Pixmap = CoveragePixmap(bitmap);
    }
    return font;
}

}  // namespace tuublark
