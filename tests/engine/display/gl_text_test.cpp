// Text drawn by OpenGL and read back.
#include "engine/display/graphics.h"
#include "engine/image/draw.h"
#include "engine/text/font.h"
#include "engine/text/default_font_bitmap.h"
#include "gl_fixture.h"

namespace tuublark::test {
namespace {

TEST_F(GLDrawing, BuiltInTextShowsItsBitmap) {
    SetFont(nullptr);
    DrawText("A", 40, 20);
    Grab();
    for (int32_t row = 0; row < 16; ++row)
        for (int32_t bit = 0; bit < 8; ++bit) {
            bool set = (DefaultFontBitmap[row]['A' - 32] >> bit) & 1;
            EXPECT_EQ(At(40 + bit, 20 + row), std::vector<int>(3, set ? 255 : 0)) << bit << "," << row;
        }
}

TEST_F(GLDrawing, TrueTypeTextAtScaleTwoIsTwiceAsWide) {
    FontRef font = LoadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 24, 0);
    ASSERT_TRUE(font);
    SetFont(font);
    SetBlendMode(BlendAlpha);
    DrawText("Score 1234", 50, 50);
    Grab();
    std::vector<int32_t> one = LitBox();
    ASSERT_GE(one[2], one[0]);
    EXPECT_NEAR(one[2] - one[0] + 1, TextWidth("Score 1234"), 4);

    int32_t measured = TextWidth("Score 1234");
    ClearScreen();
    SetScale(2, 2);
    DrawText("Score 1234", 50, 50);
    Grab();
    std::vector<int32_t> two = LitBox();
    int32_t w1 = one[2] - one[0] + 1, w2 = two[2] - two[0] + 1;
    EXPECT_NEAR(w2, 2 * w1, 3);
    EXPECT_NEAR(two[3] - two[1] + 1, 2 * (one[3] - one[1] + 1), 3);
    EXPECT_EQ(TextWidth("Score 1234"), measured);  // measures stay unscaled
    SetFont(nullptr);
}

TEST_F(GLDrawing, SolidBlendShowsGlyphRectangles) {
    FontRef font = LoadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 24, 0);
    ASSERT_TRUE(font);
    SetFont(font);
    SetBlendMode(BlendSolid);
    DrawText("o", 100, 100);
    Grab();
    const TImageGlyph* o = font->Glyph('o');
    // Without blending or alpha test the glyph's whole bitmap is filled.
    std::vector<int32_t> box = LitBox();
    EXPECT_EQ(box, (std::vector<int32_t>{100 + o->X, 100 + o->Y, 100 + o->X + o->W - 1, 100 + o->Y + o->H - 1}));
    EXPECT_TRUE(Lit(100 + o->X, 100 + o->Y));  // a corner, outside the letter's ring
    SetFont(nullptr);
}

}  // namespace
}  // namespace tuublark::test
