#include <gtest/gtest.h>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"
#include "picture_builders.h"

namespace tuublark {
namespace {

using test::Bytes;
using test::TBmpSpec;

std::vector<int> Rgb(const TPixmap& p, int32_t x, int32_t y) {
    const uint8_t* q = p.Row(y) + x * 3;
    return {q[0], q[1], q[2]};
}

// Two rows of two 24-bit pixels: red, green over blue, white (file rows
// are bottom first).
TBmpSpec TwoByTwo() {
    TBmpSpec spec;
    spec.Rows = {{0xFF, 0, 0, 0xFF, 0xFF, 0xFF}, {0, 0, 0xFF, 0, 0xFF, 0}};
    return spec;
}

TEST(BmpLoader, ReadsBottomUpRowsOf24Bits) {
    auto p = test::LoadFromBytes(test::MakeBmp(TwoByTwo()));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Format, PixelFormatRGB888);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(Rgb(*p, 1, 0), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(Rgb(*p, 0, 1), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(Rgb(*p, 1, 1), (std::vector<int>{255, 255, 255}));
}

TEST(BmpLoader, OnePixelWideRowsArePaddedToFourBytes) {
    TBmpSpec spec;
    spec.Width = 1;
    spec.Height = 2;
    spec.Rows = {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}};
    Bytes file = test::MakeBmp(spec);
    EXPECT_EQ(file.size(), 54u + 8u);
    auto p = test::LoadFromBytes(file);
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 1), (std::vector<int>{0x30, 0x20, 0x10}));
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0x60, 0x50, 0x40}));
}

TEST(BmpLoader, EightBitWithColoursUsedZeroReadsAFullPalette) {
    TBmpSpec spec;
    spec.Width = 2;
    spec.Height = 1;
    spec.BitCount = 8;
    spec.Palette.assign(256, 0);
    spec.Palette[1] = 0x112233;
    spec.Palette[255] = 0xAABBCC;
    spec.Rows = {{1, 255}};
    auto p = test::LoadFromBytes(test::MakeBmp(spec));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0x11, 0x22, 0x33}));
    EXPECT_EQ(Rgb(*p, 1, 0), (std::vector<int>{0xAA, 0xBB, 0xCC}));
}

TEST(BmpLoader, ShortPaletteLeavesUnlistedIndicesBlackAndLongOneIsSkipped) {
    TBmpSpec spec;
    spec.Width = 2;
    spec.Height = 1;
    spec.BitCount = 4;
    spec.ColoursUsed = 2;
    spec.Palette = {0x000000, 0xFFFFFF};
    spec.Rows = {{0x1F}};  // high nibble first: index 1, then 15 (not listed)
    auto p = test::LoadFromBytes(test::MakeBmp(spec));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Rgb(*p, 1, 0), (std::vector<int>{0, 0, 0}));

    spec.BitCount = 1;
    spec.ColoursUsed = 4;  // two entries beyond 2^1: read and ignored
    spec.Palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    spec.Rows = {{0x40}};
    p = test::LoadFromBytes(test::MakeBmp(spec));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Rgb(*p, 1, 0), (std::vector<int>{0, 0, 255}));
}

TEST(BmpLoader, OneBitPicturesStartAtTheMostSignificantBit) {
    TBmpSpec spec;
    spec.Width = 9;
    spec.Height = 1;
    spec.BitCount = 1;
    spec.Palette = {0x000000, 0xFF8000};
    spec.Rows = {{0xA0, 0x80}};  // pixels 0, 2 and 8 set
    auto p = test::LoadFromBytes(test::MakeBmp(spec));
    ASSERT_TRUE(p);
    for (int x = 0; x < 9; ++x) {
        bool set = x == 0 || x == 2 || x == 8;
        EXPECT_EQ(Rgb(*p, x, 0), set ? (std::vector<int>{255, 128, 0}) : (std::vector<int>{0, 0, 0})) << x;
    }
}

TEST(BmpLoader, LargerInfoHeadersAndTheDataOffsetAreHonoured) {
    for (uint32_t header : {108u, 124u}) {
        TBmpSpec spec = TwoByTwo();
        spec.HeaderSize = header;
        auto p = test::LoadFromBytes(test::MakeBmp(spec));
        ASSERT_TRUE(p) << header;
        EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{255, 0, 0})) << header;
        EXPECT_EQ(Rgb(*p, 1, 1), (std::vector<int>{255, 255, 255})) << header;
    }
    // Palette after a 124-byte header, rows after a gap.
    TBmpSpec spec;
    spec.Width = 1;
    spec.Height = 1;
    spec.BitCount = 8;
    spec.HeaderSize = 124;
    spec.ColoursUsed = 2;
    spec.Palette = {0x000000, 0x123456};
    spec.Gap = 10;
    spec.Rows = {{1}};
    auto p = test::LoadFromBytes(test::MakeBmp(spec));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0x12, 0x34, 0x56}));
}

TEST(BmpLoader, NegativeHeightIsTopDown) {
    TBmpSpec spec = TwoByTwo();
    spec.Height = -2;
    auto p = test::LoadFromBytes(test::MakeBmp(spec));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Height, 2);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(Rgb(*p, 1, 1), (std::vector<int>{0, 255, 0}));
}

TEST(BmpLoader, RefusesCompressedEmptyOversizedAndTruncatedFiles) {
    TBmpSpec spec = TwoByTwo();
    spec.Compression = 1;
    EXPECT_EQ(test::LoadFromBytes(test::MakeBmp(spec)), nullptr);

    for (auto size : std::vector<std::pair<int32_t, int32_t>>{{0, 2}, {2, 0}, {16385, 1}, {1, 16385}, {1, -16385}, {-2, 2}}) {
        spec = TwoByTwo();
        spec.Width = size.first;
        spec.Height = size.second;
        EXPECT_EQ(test::LoadFromBytes(test::MakeBmp(spec)), nullptr) << size.first << "x" << size.second;
    }

    Bytes whole = test::MakeBmp(TwoByTwo());
    for (size_t keep : {size_t{1}, size_t{20}, size_t{53}, whole.size() - 1}) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
        EXPECT_EQ(test::LoadFromBytes(cut), nullptr) << keep;
    }
    TBmpSpec palette;
    palette.Width = 1;
    palette.Height = 1;
    palette.BitCount = 8;
    palette.ColoursUsed = 0xFFFFFFF0u;  // far more entries than the file holds
    palette.Rows = {{0}};
    EXPECT_EQ(test::LoadFromBytes(test::MakeBmp(palette)), nullptr);
}

TEST(BmpLoader, UnsupportedBitCountGivesAZeroFilledPicture) {
    TBmpSpec spec;
    spec.Width = 2;
    spec.Height = 2;
    spec.BitCount = 16;
    spec.Rows = {{0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF}};
    auto p = test::LoadFromBytes(test::MakeBmp(spec));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width, 2);
    EXPECT_EQ(p->Height, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(Rgb(*p, x, y), (std::vector<int>{0, 0, 0}));
}

TEST(BmpLoader, ReadsFromTheStreamPosition) {
    Bytes file = {1, 2, 3};
    Bytes bmp = test::MakeBmp(TwoByTwo());
    file.insert(file.end(), bmp.begin(), bmp.end());
    TMemoryStream stream(file);
    stream.Seek(3);
    auto p = LoadPixmap(stream);
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 1, 1), (std::vector<int>{255, 255, 255}));
}

}  // namespace
}  // namespace tuublark
