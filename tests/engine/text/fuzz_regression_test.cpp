// Fonts the fuzz target found: a damaged face whose glyphs are thousands
// of pixels across must not turn a small file into a huge font. The file
// is kept in fuzz/regressions/font/.
#include <gtest/gtest.h>

#include "engine/text/freetype_font.h"

namespace tuublark {
namespace {

TEST(FontFuzzRegressions, HugeGlyphsOfADamagedFaceDrawNothing) {
    // 1403 bytes whose glyphs rendered at 24 pixels to 1699 x 2325 each:
    // 850 million coverage pixels, a gigabyte for one font.
    auto font =
        TFreeTypeFont::Load(TUUBLARK_SOURCE_DIR "/fuzz/regressions/font/glyphs-thousands-of-pixels-across.ttf", 24, 4);
    ASSERT_TRUE(font);
    int64_t pixels = 0;
    for (const TFreeTypeGlyph& glyph : font->Glyphs) {
        EXPECT_LE(glyph.W, 16 * 24);
        EXPECT_LE(glyph.H, 16 * 24);
        pixels += int64_t{glyph.W} * glyph.H;
    }
    EXPECT_LT(pixels, 1000000);
}

TEST(FontFuzzRegressions, BitmapGlyphWithASizeButNoPixelsDrawsNothing) {
    // A damaged BDF font: its space has a 3 x 4 box and no bitmap, and
    // FreeType hands over a glyph of that size with no buffer.
    auto font = TFreeTypeFont::Load(TUUBLARK_SOURCE_DIR "/fuzz/regressions/font/bdf-glyph-without-bitmap.bdf", 24, 4);
    ASSERT_TRUE(font);
    for (const TFreeTypeGlyph& glyph : font->Glyphs) {
        if (!glyph.Pixmap) continue;
        EXPECT_EQ(glyph.Pixmap->Data.size(), static_cast<size_t>(glyph.Pixmap->Pitch) * glyph.H);
    }
}

}  // namespace
}  // namespace tuublark
