// Images, blend modes and lines drawn by OpenGL and read back.
#include "engine/display/graphics.h"
#include "engine/image/draw.h"
#include "gl_fixture.h"

namespace tuublark::test {
namespace {

using Rgb = std::vector<int>;
using Box = std::vector<int32_t>;

ImageRef Solid(uint32_t colour, int32_t flags = 4) {
    return MakeImage(
        30, 30, [=](int32_t, int32_t) { return colour; }, flags);
}

// Red with a pure green (mask colour) 10x10 hole in the middle.
ImageRef Holed() {
    return MakeImage(
        30, 30, [](int32_t x, int32_t y) { return (x >= 10 && x < 20 && y >= 10 && y < 20) ? 0x00FF00u : 0xFF0000u; },
        4);
}

TEST_F(GLDrawing, ACentredImageCoversItsCellScaledOrShifted) {
    DrawImage(Solid(0xFFFFFF), 175, 125);
    Grab();
    EXPECT_EQ(LitBox(), (Box{160, 110, 189, 139}));

    ClearScreen();
    SetScale(2, 2);
    DrawImage(Solid(0xFFFFFF), 175, 125);
    Grab();
    EXPECT_EQ(LitBox(), (Box{145, 95, 204, 154}));

    ClearScreen();  // the origin shifts every drawing
    SetScale(1, 1);
    SetOrigin(100, 50);
    DrawImage(Solid(0xFFFFFF), 175, 125);
    Grab();
    EXPECT_EQ(LitBox(), (Box{260, 160, 289, 189}));
}

TEST_F(GLDrawing, RotationTurnsAboutTheDrawingPosition) {
    // Left half red, right half blue; a quarter turn clockwise on screen
    // puts red on top and blue below.
    ImageRef image = MakeImage(
        30, 30, [](int32_t x, int32_t) { return x < 15 ? 0xFF0000u : 0x0000FFu; }, 4);
    SetRotation(90);
    DrawImage(image, 175, 125);
    Grab();
    EXPECT_EQ(LitBox(), (Box{160, 110, 189, 139}));
    EXPECT_EQ(At(175, 112), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(175, 137), (Rgb{0, 0, 255}));
    EXPECT_EQ(At(162, 112), At(188, 112));  // unturned, these would be red and blue
}

TEST_F(GLDrawing, MaskedPixelsAreHiddenExceptInSolidMode) {
    SetClearColor(0, 0, 100);
    for (int32_t mode : {BlendMasked, BlendAlpha, BlendAdditive}) {
        ClearScreen();
        SetBlendMode(mode);
        DrawImage(Holed(), 175, 125);
        Grab();
        EXPECT_EQ(At(175, 125), (Rgb{0, 0, 100})) << mode;  // the hole shows the background
        Rgb red = mode == BlendAdditive ? Rgb{255, 0, 100} : Rgb{255, 0, 0};
        EXPECT_EQ(At(162, 112), red) << mode;
    }
    ClearScreen();
    SetBlendMode(BlendSolid);
    DrawImage(Holed(), 175, 125);
    Grab();
    EXPECT_EQ(At(175, 125), (Rgb{0, 0, 0}));    // inside the hole: no unmasked neighbours
    EXPECT_EQ(At(170, 125), (Rgb{255, 0, 0}));  // its edge: the neighbours' red
    EXPECT_EQ(At(162, 112), (Rgb{255, 0, 0}));
}

TEST_F(GLDrawing, AdditiveAddsAndMultiplyDarkens) {
    SetClearColor(100, 100, 100);
    ClearScreen();
    SetBlendMode(BlendAdditive);
    DrawImage(Solid(0x204060), 175, 125);
    Grab();
    EXPECT_EQ(At(175, 125), (Rgb{132, 164, 196}));

    ClearScreen();
    SetBlendMode(BlendMultiply);
    DrawImage(Solid(0x808080), 175, 125);
    Grab();
    Rgb c = At(175, 125);
    for (int v : c) EXPECT_NEAR(v, 50, 1);
    EXPECT_EQ(At(100, 100), (Rgb{100, 100, 100}));
}

TEST_F(GLDrawing, AlphaSevenTenthsIsByte178AndTheDrawColourTints) {
    SetBlendMode(BlendAlpha);
    SetDrawAlpha(0.7f);
    DrawImage(Solid(0xFFFFFF), 175, 125);
    Grab();
    EXPECT_EQ(At(175, 125), (Rgb{178, 178, 178}));
    SetDrawAlpha(1.5f);  // clamped to 1
    DrawImage(Solid(0xFFFFFF), 375, 125);
    Grab();
    EXPECT_EQ(At(375, 125), (Rgb{255, 255, 255}));
    SetDrawAlpha(1.0f);  // the draw colour tints images
    SetDrawColor(255, 0, 128);
    DrawImage(Solid(0xFFFFFF), 575, 125);
    Grab();
    EXPECT_EQ(At(575, 125), (Rgb{255, 0, 128}));
}

TEST_F(GLDrawing, LinesEndOnTheirLastPixelWhenAsked) {
    SetBlendMode(BlendSolid);
    DrawLine(100, 300, 150, 300, 1);
    DrawLine(100, 320, 150, 320, 0);
    DrawLine(400, 100, 400, 130, 1);
    Grab();
    for (int32_t x = 100; x <= 150; ++x) EXPECT_TRUE(Lit(x, 300)) << x;
    EXPECT_FALSE(Lit(99, 300));
    EXPECT_FALSE(Lit(151, 300));
    EXPECT_FALSE(Lit(100, 299));
    EXPECT_FALSE(Lit(100, 301));
    EXPECT_TRUE(Lit(149, 320));
    EXPECT_FALSE(Lit(150, 320));
    EXPECT_TRUE(Lit(400, 100));
    EXPECT_TRUE(Lit(400, 130));
    EXPECT_FALSE(Lit(400, 131));
    EXPECT_FALSE(Lit(401, 115));
}

TEST_F(GLDrawing, LargePicturesGetPaddedPowerOfTwoTextures) {
    ImageRef image = MakeImage(
        800, 600, [](int32_t x, int32_t) { return x == 799 ? 0xFFFFFFu : 0u; }, 2);
    ASSERT_TRUE(image);
    // Filtered and drawn at its own size, the picture ends at its last
    // column: nothing beyond it bleeds in from the texture's padding.
    SetAutoMidHandle(0);
    SetImageHandle(image, 0, 0);
    DrawImage(image, 0, 0);
    Grab();
    EXPECT_EQ(At(799, 300), (Rgb{255, 255, 255}));
    EXPECT_EQ(At(797, 300), (Rgb{0, 0, 0}));
}

TEST_F(GLDrawing, DrawingAnImageTwiceBindsItsTextureOnce) {
    // The cache leaves GL state alone when nothing changes, and follows a
    // texture's deletion (the next texture with the same name is bound).
    ImageRef first = Solid(0xFF0000);
    DrawImage(first, 175, 125);
    first.reset();
    ImageRef second = Solid(0x00FF00 + 1);
    DrawImage(second, 175, 125);
    Grab();
    EXPECT_EQ(At(175, 125), (Rgb{0, 255, 1}));
}

}  // namespace
}  // namespace tuublark::test
