// Images and drawing state on the headless driver: sizes and handles are
// kept, nothing is drawn.
#include <gtest/gtest.h>

#include "engine/display/graphics.h"
#include "engine/image/draw.h"
#include "engine/image/image.h"

namespace tuublark {
namespace {

class ImageState : public ::testing::Test {
protected:
    void SetUp() override { OpenGraphics(800, 600, 0, 0); }
};

TEST_F(ImageState, AutoMidHandleCentresLoadedImages) {
    auto odd = CreatePixmap(31, 10, PixelFormatRGB888);
    auto image = LoadImage(odd, -1);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->HandleX, 0.0f);
    EXPECT_EQ(image->Flags, 6);  // the default flags
    SetAutoMidHandle(1);
    image = LoadImage(odd, 2);
    EXPECT_FLOAT_EQ(image->HandleX, 15.5f);
    EXPECT_FLOAT_EQ(image->HandleY, 5.0f);
    EXPECT_EQ(image->Width, 31);
    SetImageHandle(image, 1, 2);
    EXPECT_EQ(image->HandleY, 2.0f);
}

TEST_F(ImageState, MaskingAppliesOnlyToPicturesWithoutAlpha) {
    SetMaskColor(0, 255, 0);
    auto rgb = CreatePixmap(1, 1, PixelFormatRGB888);
    rgb->Row(0)[1] = 255;
    auto image = LoadImage(rgb, 4);
    ASSERT_EQ(image->Pixmaps[0]->Format, PixelFormatRGBA8888);
    EXPECT_EQ(image->Pixmaps[0]->Row(0)[3], 0);
    auto rgba = ConvertPixmap(*rgb, PixelFormatRGBA8888);
    image = LoadImage(rgba, 4);
    EXPECT_EQ(image->Pixmaps[0], rgba);  // already has alpha: used as it is
    image = LoadImage(rgb, 2);
    EXPECT_EQ(image->Pixmaps[0], rgb);
}

TEST_F(ImageState, RotationAndScaleGiveTheTwoByTwoMatrix) {
    SetRotationAndScale(90, 2, 3);
    const TGraphicsState& g = Graphics();
    EXPECT_NEAR(g.Ix, 0.0f, 1e-6);
    EXPECT_NEAR(g.Iy, -3.0f, 1e-6);
    EXPECT_NEAR(g.Jx, 2.0f, 1e-6);
    EXPECT_NEAR(g.Jy, 0.0f, 1e-6);
    SetScale(1, 1);
    EXPECT_NEAR(g.Iy, -1.0f, 1e-6);  // rotation kept
    SetRotation(0);
    EXPECT_NEAR(g.Ix, 1.0f, 1e-6);
}

TEST_F(ImageState, OpenGraphicsResetsTheDrawingState) {
    SetBlendMode(BlendAdditive);
    SetOrigin(5, 6);
    SetTextHandle(3, 4);
    SetAutoMidHandle(1);
    SetDefaultImageFlags(2);
    SetDefaultImageFlags(-1);
    EXPECT_EQ(DrawState().DefaultFlags, 2);
    OpenGraphics(800, 600, 0, 0);
    const TDrawState& s = DrawState();
    EXPECT_EQ(s.Blend, BlendMasked);
    EXPECT_EQ(s.OriginX, 0.0f);
    EXPECT_EQ(s.HandleX, 0.0f);
    EXPECT_EQ(s.AutoMidHandle, 0);
    EXPECT_EQ(s.DefaultFlags, 6);
    EXPECT_EQ(Graphics().ColorA, 255);
}

}  // namespace
}  // namespace tuublark
