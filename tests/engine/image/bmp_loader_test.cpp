#include <gtest/gtest.h>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"
#include "picture_builders.h"

namespace tuublark {
namespace {

using test::Bytes;
using test::TBmpLayout;

std::vector<int> Rgb(const TPixmap& p, int32_t x, int32_t y) {
    const uint8_t* q = p.Row(y) + x * 3;
    return {q[0], q[1], q[2]};
}

// Two rows of two 24-bit pixels: red, green over blue, white (file rows
// are bottom first).
TBmpLayout TwoByTwo() {
    TBmpLayout layout;
    layout.Rows = {{0xFF, 0, 0, 0xFF, 0xFF, 0xFF}, {0, 0, 0xFF, 0, 0xFF, 0}};
    return layout;
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
    TBmpLayout layout;
    layout.Width = 1;
    layout.Height = 2;
    layout.Rows = {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}};
    Bytes file = test::MakeBmp(layout);
    EXPECT_EQ(file.size(), 54u + 8u);
    auto p = test::LoadFromBytes(file);
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 1), (std::vector<int>{0x30, 0x20, 0x10}));
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0x60, 0x50, 0x40}));
}

TEST(BmpLoader, EightBitWithColoursUsedZeroReadsAFullPalette) {
    TBmpLayout layout;
    layout.Width = 2;
    layout.Height = 1;
    layout.BitCount = 8;
    layout.Palette.assign(256, 0);
    layout.Palette[1] = 0x112233;
    layout.Palette[255] = 0xAABBCC;
    layout.Rows = {{1, 255}};
    auto p = test::LoadFromBytes(test::MakeBmp(layout));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0x11, 0x22, 0x33}));
    EXPECT_EQ(Rgb(*p, 1, 0), (std::vector<int>{0xAA, 0xBB, 0xCC}));
}

TEST(BmpLoader, ShortPaletteLeavesUnlistedIndicesBlackAndLongOneIsSkipped) {
    TBmpLayout layout;
    layout.Width = 2;
    layout.Height = 1;
    layout.BitCount = 4;
    layout.ColoursUsed = 2;
    layout.Palette = {0x000000, 0xFFFFFF};
    layout.Rows = {{0x1F}};  // high nibble first: index 1, then 15 (not listed)
    auto p = test::LoadFromBytes(test::MakeBmp(layout));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Rgb(*p, 1, 0), (std::vector<int>{0, 0, 0}));

    layout.BitCount = 1;
    layout.ColoursUsed = 4;  // two entries beyond 2^1: read and ignored
    layout.Palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    layout.Rows = {{0x40}};
    p = test::LoadFromBytes(test::MakeBmp(layout));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Rgb(*p, 1, 0), (std::vector<int>{0, 0, 255}));
}

TEST(BmpLoader, OneBitPicturesStartAtTheMostSignificantBit) {
    TBmpLayout layout;
    layout.Width = 9;
    layout.Height = 1;
    layout.BitCount = 1;
    layout.Palette = {0x000000, 0xFF8000};
    layout.Rows = {{0xA0, 0x80}};  // pixels 0, 2 and 8 set
    auto p = test::LoadFromBytes(test::MakeBmp(layout));
    ASSERT_TRUE(p);
    for (int x = 0; x < 9; ++x) {
        bool set = x == 0 || x == 2 || x == 8;
        EXPECT_EQ(Rgb(*p, x, 0), set ? (std::vector<int>{255, 128, 0}) : (std::vector<int>{0, 0, 0})) << x;
    }
}

TEST(BmpLoader, LargerInfoHeadersAndTheDataOffsetAreHonoured) {
    for (uint32_t header : {108u, 124u}) {
        TBmpLayout layout = TwoByTwo();
        layout.HeaderSize = header;
        auto p = test::LoadFromBytes(test::MakeBmp(layout));
        ASSERT_TRUE(p) << header;
        EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{255, 0, 0})) << header;
        EXPECT_EQ(Rgb(*p, 1, 1), (std::vector<int>{255, 255, 255})) << header;
    }
    // Palette after a 124-byte header, rows after a gap.
    TBmpLayout layout;
    layout.Width = 1;
    layout.Height = 1;
    layout.BitCount = 8;
    layout.HeaderSize = 124;
    layout.ColoursUsed = 2;
    layout.Palette = {0x000000, 0x123456};
    layout.Gap = 10;
    layout.Rows = {{1}};
    auto p = test::LoadFromBytes(test::MakeBmp(layout));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0x12, 0x34, 0x56}));
}

TEST(BmpLoader, NegativeHeightIsTopDown) {
    TBmpLayout layout = TwoByTwo();
    layout.Height = -2;
    auto p = test::LoadFromBytes(test::MakeBmp(layout));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Height, 2);
    EXPECT_EQ(Rgb(*p, 0, 0), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(Rgb(*p, 1, 1), (std::vector<int>{0, 255, 0}));
}

TEST(BmpLoader, RefusesCompressedEmptyOversizedAndTruncatedFiles) {
    TBmpLayout layout = TwoByTwo();
    layout.Compression = 1;
    EXPECT_EQ(test::LoadFromBytes(test::MakeBmp(layout)), nullptr);

    for (auto size :
         std::vector<std::pair<int32_t, int32_t>>{{0, 2}, {2, 0}, {16385, 1}, {1, 16385}, {1, -16385}, {-2, 2}}) {
        layout = TwoByTwo();
        layout.Width = size.first;
        layout.Height = size.second;
        EXPECT_EQ(test::LoadFromBytes(test::MakeBmp(layout)), nullptr) << size.first << "x" << size.second;
    }

    Bytes whole = test::MakeBmp(TwoByTwo());
    for (size_t keep : {size_t{1}, size_t{20}, size_t{53}, whole.size() - 1}) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
        EXPECT_EQ(test::LoadFromBytes(cut), nullptr) << keep;
    }
    TBmpLayout palette;
    palette.Width = 1;
    palette.Height = 1;
    palette.BitCount = 8;
    palette.ColoursUsed = 0xFFFFFFF0u;  // far more entries than the file holds
    palette.Rows = {{0}};
    EXPECT_EQ(test::LoadFromBytes(test::MakeBmp(palette)), nullptr);
}

TEST(BmpLoader, UnsupportedBitCountGivesAZeroFilledPicture) {
    TBmpLayout layout;
    layout.Width = 2;
    layout.Height = 2;
    layout.BitCount = 16;
    layout.Rows = {{0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF}};
    auto p = test::LoadFromBytes(test::MakeBmp(layout));
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
