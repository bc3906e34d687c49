#include <gtest/gtest.h>

#include "engine/image/texture_layout.h"

namespace tuublark {
namespace {

bool AnySize(int32_t, int32_t) { return true; }

TEST(TextureLayout, An800x600PictureGetsA1024TextureWithReplicatedEdges) {
    auto picture = CreatePixmap(800, 600, PixelFormatRGB888);
    for (int32_t y = 0; y < 600; ++y) {
        uint8_t* row = picture->Row(y);
        row[799 * 3 + 0] = static_cast<uint8_t>(y);  // last column varies by row
        row[799 * 3 + 1] = 9;
        row[798 * 3 + 0] = 200;
    }
    uint8_t* last = picture->Row(599);
    for (int32_t x = 0; x < 800; ++x) last[x * 3 + 2] = static_cast<uint8_t>(x);

    int32_t tw = 0, th = 0;
    ASSERT_TRUE(CalculateTextureSize(800, 600, AnySize, tw, th));
    EXPECT_EQ(tw, 1024);
    EXPECT_EQ(th, 1024);
    TTextureLayout layout = LayOutTexture(picture, tw, th);
    EXPECT_FLOAT_EQ(layout.U1, 0.78125f);
    EXPECT_FLOAT_EQ(layout.V1, 0.5859375f);
    const TPixmap& t = *layout.Level0;
    ASSERT_EQ(t.Format, PixelFormatRGBA8888);
    ASSERT_EQ(t.Width, 1024);
    ASSERT_EQ(t.Height, 1024);
    for (int32_t y : {0, 123, 599}) {
        const uint8_t* row = t.Row(y);
        EXPECT_EQ(row[800 * 4 + 0], row[799 * 4 + 0]) << y;  // the 801st column repeats the 800th
        EXPECT_EQ(row[800 * 4 + 1], 9);
        EXPECT_EQ(row[800 * 4 + 3], 255);
        EXPECT_EQ(row[801 * 4 + 3], 0);  // beyond the replicated column: untouched
    }
    for (int32_t x : {0, 400, 799, 800}) EXPECT_EQ(t.Row(600)[x * 4 + 2], t.Row(599)[x * 4 + 2]) << x;
    EXPECT_EQ(t.Row(600)[800 * 4 + 0], t.Row(599)[799 * 4 + 0]);  // diagonal corner
    EXPECT_EQ(t.Row(601)[0 * 4 + 3], 0);
}

TEST(TextureLayout, SizesHalveUntilTheRendererAcceptsThem) {
    int32_t tw = 0, th = 0;
    auto upTo256 = [](int32_t w, int32_t h) { return w <= 256 && h <= 256; };
    ASSERT_TRUE(CalculateTextureSize(1000, 300, upTo256, tw, th));
    EXPECT_EQ(tw, 256);
    EXPECT_EQ(th, 128);  // both halve together while the size is refused
    auto onlyOne = [](int32_t w, int32_t h) { return w == 1 && h == 1; };
    ASSERT_TRUE(CalculateTextureSize(4, 64, onlyOne, tw, th));
    EXPECT_EQ(tw, 1);
    EXPECT_EQ(th, 1);
    EXPECT_FALSE(CalculateTextureSize(
        4, 4, [](int32_t, int32_t) { return false; }, tw, th));
}

TEST(TextureLayout, APictureLargerThanItsTextureIsShrunk) {
    auto picture = CreatePixmap(600, 100, PixelFormatRGBA8888);
    TTextureLayout layout = LayOutTexture(picture, 256, 128);
    EXPECT_EQ(layout.Level0->Width, 256);
    EXPECT_EQ(layout.Level0->Height, 128);
    EXPECT_FLOAT_EQ(layout.U1, 1.0f);
    EXPECT_FLOAT_EQ(layout.V1, 100.0f / 128.0f);
}

TEST(TextureLayout, MipmapLevelsHalveDownToOnePixel) {
    auto level = CreatePixmap(8, 2, PixelFormatRGBA8888);
    std::vector<std::pair<int32_t, int32_t>> sizes;
    while (level->Width > 1 || level->Height > 1) {
        level = NextMipmapLevel(*level);
        sizes.emplace_back(level->Width, level->Height);
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<int32_t, int32_t>>{{4, 1}, {2, 1}, {1, 1}}));
}

}  // namespace
}  // namespace tuublark
