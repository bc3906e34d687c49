// Fonts on the headless driver: glyph records, images and measures.
#include <gtest/gtest.h>

#include "engine/display/graphics.h"
#include "engine/image/draw.h"
#include "engine/text/font.h"

namespace tuublark {
namespace {

const char* const DejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class Fonts : public ::testing::Test {
protected:
    void SetUp() override { OpenGraphics(800, 600, 0, 0); }
};

TEST_F(Fonts, BuiltInFontMeasuresEightByEachCharacter) {
    EXPECT_EQ(TextWidth("12345"), 40);
    EXPECT_EQ(TextHeight("12345"), 16);
    EXPECT_EQ(TextWidth(""), 0);
    EXPECT_EQ(TextHeight(""), 0);
    EXPECT_EQ(TextHeight(" "), 16);
    // Codes above 127 are outside the built-in font.
    EXPECT_EQ(TextWidth("a\xe9z"), 16);
    EXPECT_EQ(TextHeight("\xe9"), 0);
    EXPECT_EQ(TextWidth(std::u16string(u"a\u0100\u001fb")), 16);
}

TEST_F(Fonts, TrueTypeGlyphsAreFilteredCoverageImagesWithoutHandles) {
    SetAutoMidHandle(1);
    FontRef font = LoadFont(DejaVu, 24, 4);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Style, 4);
    EXPECT_EQ(font->FirstChar, 32);
    EXPECT_EQ(font->CountGlyphs(), 224);
    EXPECT_GE(font->Height, 24);
    const TImageGlyph* a = font->Glyph('A');
    ASSERT_TRUE(a->Image);
    EXPECT_EQ(a->Image->Flags, ImageFlagFiltered);
    EXPECT_EQ(a->Image->HandleX, 0.0f);
    EXPECT_EQ(a->Image->Pixmaps[0]->Format, PixelFormatA8);
    EXPECT_EQ(a->W, a->Image->Width);
    EXPECT_GT(a->H, 10);
    EXPECT_GT(a->Y, 0);  // measured down from the top of the line
    EXPECT_GT(a->Advance, 10.0f);
    EXPECT_FALSE(font->Glyph(' ')->Image);
    EXPECT_GT(font->Glyph(' ')->Advance, 0.0f);
    EXPECT_TRUE(font->Glyph(0xE9)->Image);  // Latin-1 letters are there too
}

TEST_F(Fonts, TrueTypeMeasuresTruncateAfterEveryCharacter) {
    FontRef font = LoadFont(DejaVu, 24, 0);
    ASSERT_TRUE(font);
    SetFont(font);
    float w = 0;
    for (char c : std::string("Wavy 1.5")) w = static_cast<float>(static_cast<int32_t>(w + font->Glyph(c)->Advance));
    EXPECT_EQ(TextWidth("Wavy 1.5"), static_cast<int32_t>(w));
    EXPECT_EQ(TextHeight("   "), 0);  // spaces have no bitmap
    EXPECT_EQ(TextHeight("Ag"), std::max(font->Glyph('A')->H, font->Glyph('g')->H));
    EXPECT_EQ(TextWidth(std::u16string(u"A\u0100B")), TextWidth("AB"));
    SetFont(nullptr);
    EXPECT_EQ(TextWidth("12345"), 40);
}

}  // namespace
}  // namespace tuublark
