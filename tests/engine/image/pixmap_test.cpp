#include <gtest/gtest.h>

#include "engine/image/pixmap.h"
#include "picture_builders.h"

namespace tuublark {
namespace {

void SetRgba(TPixmap& p, int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    uint8_t* q = p.Row(y) + x * 4;
    q[0] = r, q[1] = g, q[2] = b, q[3] = a;
}

std::vector<int> Rgba(const TPixmap& p, int32_t x, int32_t y) {
    const uint8_t* q = p.Row(y) + x * 4;
    return {q[0], q[1], q[2], q[3]};
}

TEST(Pixmap, ConversionsFollowTheFormatRules) {
    auto i8 = CreatePixmap(1, 1, PixelFormatI8);
    i8->Row(0)[0] = 77;
    EXPECT_EQ(Rgba(*ConvertPixmap(*i8, PixelFormatRGBA8888), 0, 0), (std::vector<int>{77, 77, 77, 255}));

    auto a8 = CreatePixmap(1, 1, PixelFormatA8);
    a8->Row(0)[0] = 40;
    EXPECT_EQ(Rgba(*ConvertPixmap(*a8, PixelFormatRGBA8888), 0, 0), (std::vector<int>{255, 255, 255, 40}));

    auto bgr = CreatePixmap(1, 1, PixelFormatBGR888);
    bgr->Row(0)[0] = 1, bgr->Row(0)[1] = 2, bgr->Row(0)[2] = 3;
    EXPECT_EQ(Rgba(*ConvertPixmap(*bgr, PixelFormatRGBA8888), 0, 0), (std::vector<int>{3, 2, 1, 255}));

    auto rgba = CreatePixmap(1, 1, PixelFormatRGBA8888);
    SetRgba(*rgba, 0, 0, 10, 20, 31, 99);
    EXPECT_EQ(ConvertPixmap(*rgba, PixelFormatI8)->Row(0)[0], 20);  // (10+20+31)/3 truncated
    EXPECT_EQ(ConvertPixmap(*rgba, PixelFormatA8)->Row(0)[0], 99);
    auto bgra = ConvertPixmap(*rgba, PixelFormatBGRA8888);
    EXPECT_EQ(bgra->Row(0)[0], 31);
    EXPECT_EQ(bgra->Row(0)[3], 99);
    EXPECT_EQ(Rgba(*ConvertPixmap(*bgra, PixelFormatRGBA8888), 0, 0), (std::vector<int>{10, 20, 31, 99}));
    // Between two non-RGBA formats: BGR to RGB swaps.
    auto rgb = ConvertPixmap(*bgr, PixelFormatRGB888);
    EXPECT_EQ(rgb->Row(0)[0], 3);
    EXPECT_EQ(rgb->Row(0)[2], 1);
}

TEST(Pixmap, CopyWindowAndPasteClipToTheDestination) {
    auto src = CreatePixmap(4, 4, PixelFormatRGBA8888);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) SetRgba(*src, x, y, static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0);
    auto window = CopyPixmapWindow(*src, 2, 1, 2, 2);
    EXPECT_EQ(Rgba(*window, 0, 0), (std::vector<int>{2, 1, 0, 255}));
    EXPECT_EQ(Rgba(*window, 1, 1), (std::vector<int>{3, 2, 0, 255}));
    // A window reaching past the source keeps zeros there.
    auto outside = CopyPixmapWindow(*src, 3, 3, 2, 2);
    EXPECT_EQ(Rgba(*outside, 0, 0), (std::vector<int>{3, 3, 0, 255}));
    EXPECT_EQ(Rgba(*outside, 1, 1), (std::vector<int>{0, 0, 0, 0}));

    auto dst = CreatePixmap(3, 3, PixelFormatRGBA8888);
    PastePixmap(*dst, *src, 2, -2);  // mostly off the destination
    EXPECT_EQ(Rgba(*dst, 2, 0), (std::vector<int>{0, 2, 0, 255}));
    EXPECT_EQ(Rgba(*dst, 2, 1), (std::vector<int>{0, 3, 0, 255}));
    EXPECT_EQ(Rgba(*dst, 1, 0), (std::vector<int>{0, 0, 0, 0}));
    PastePixmap(*dst, *src, 100, 100);  // entirely off: nothing happens
    // Pasting another format converts it.
    auto rgb = CreatePixmap(1, 1, PixelFormatRGB888);
    rgb->Row(0)[0] = 9;
    PastePixmap(*dst, *rgb, 0, 2);
    EXPECT_EQ(Rgba(*dst, 0, 2), (std::vector<int>{9, 0, 0, 255}));
}

// The picture of the masking cases, loaded from a 24-bit BMP as the game's
// pictures are.
TEST(MaskPixmap, MasksExactlyTheMaskColourAndAveragesNeighbours) {
    const uint32_t G = 0x00FF00, N = 0x00FE00, R = 0xFF0000, B = 0x0000FF;
    auto pixmap = test::LoadFromBytes(test::MakeBmp24({
        {G, G, G, G, G},
        {G, G, G, G, R},
        {G, G, G, N, B},
    }));
    ASSERT_TRUE(pixmap);
    auto masked = MaskPixmap(*pixmap, 0, 255, 0);
    ASSERT_EQ(masked->Format, PixelFormatRGBA8888);
    // Only masked pixels around: transparent black.
    EXPECT_EQ(Rgba(*masked, 0, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Rgba(*masked, 1, 1), (std::vector<int>{0, 0, 0, 0}));
    // Beside the single red pixel: red, transparent.
    EXPECT_EQ(Rgba(*masked, 3, 0), (std::vector<int>{255, 0, 0, 0}));
    // (0, 254, 0) is not the mask colour.
    EXPECT_EQ(Rgba(*masked, 3, 2), (std::vector<int>{0, 254, 0, 255}));
    EXPECT_EQ(Rgba(*masked, 4, 1), (std::vector<int>{255, 0, 0, 255}));
    // Beside red, blue and (0, 254, 0): their integer average.
    EXPECT_EQ(Rgba(*masked, 3, 1), (std::vector<int>{85, 84, 85, 0}));
    // Only (0, 254, 0) around.
    EXPECT_EQ(Rgba(*masked, 2, 2), (std::vector<int>{0, 254, 0, 0}));
}

TEST(ResizePixmap, SamplesPixelCentresAndClampsAtTheEdges) {
    auto p = CreatePixmap(2, 1, PixelFormatRGB888);
    p->Row(0)[0] = 0;
    p->Row(0)[3] = 200;
    // Doubling: x = 0 samples -0.25 (clamped to the first pixel), x = 1 at
    // 0.25, x = 2 at 0.75, x = 3 at 1.25 (clamped to the last).
    auto wide = ResizePixmap(*p, 4, 1);
    ASSERT_EQ(wide->Format, PixelFormatRGB888);  // the source's format
    EXPECT_EQ(wide->Row(0)[0], 0);
    EXPECT_EQ(wide->Row(0)[3], 50);
    EXPECT_EQ(wide->Row(0)[6], 150);
    EXPECT_EQ(wide->Row(0)[9], 200);

    // Vertical as well as horizontal: a 2x2 to 1x1 takes all four.
    auto q = CreatePixmap(2, 2, PixelFormatRGBA8888);
    SetRgba(*q, 0, 0, 0, 0, 0);
    SetRgba(*q, 1, 0, 100, 0, 0);
    SetRgba(*q, 0, 1, 200, 0, 0);
    SetRgba(*q, 1, 1, 40, 0, 0);
    EXPECT_EQ(ResizePixmap(*q, 1, 1)->Row(0)[0], 85);  // (50 + 120) / 2
    EXPECT_EQ(ResizePixmap(*q, 0, 1), nullptr);
}

TEST(ResizePixmap, HalvingMatchesTheBilinearRuleOnEveryPixel) {
    // Mipmap levels halve; the result must be the bilinear rule's: sample
    // at the pixel centre, interpolate each row, then between the rows,
    // truncating at the end.
    auto p = CreatePixmap(10, 6, PixelFormatRGBA8888);
    uint32_t seed = 12345;
    for (uint8_t& byte : p->Data) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(seed >> 16);
    }
    auto half = ResizePixmap(*p, 5, 3);
    ASSERT_NE(half, nullptr);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x)
            for (int c = 0; c < 4; ++c) {
                auto at = [&](int32_t sx, int32_t sy) { return static_cast<float>(p->Row(sy)[sx * 4 + c]); };
                float top = at(2 * x, 2 * y) + (at(2 * x + 1, 2 * y) - at(2 * x, 2 * y)) * 0.5f;
                float bottom = at(2 * x, 2 * y + 1) + (at(2 * x + 1, 2 * y + 1) - at(2 * x, 2 * y + 1)) * 0.5f;
                EXPECT_EQ(half->Row(y)[x * 4 + c], static_cast<uint8_t>(top + (bottom - top) * 0.5f))
                    << x << "," << y << " channel " << c;
            }
}

}  // namespace
}  // namespace tuublark
