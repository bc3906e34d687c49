#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

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
const std::vector<Bytes> kTwoByTwoRows = {{0xFF, 0, 0, 0xFF, 0xFF, 0xFF}, {0, 0, 0xFF, 0, 0xFF, 0}};

TBmpLayout Bmp(int32_t width, int32_t height, int32_t bits, std::vector<Bytes> rows, std::vector<uint32_t> palette = {},
               uint32_t coloursUsed = 0, uint32_t header = 40, uint32_t gap = 0) {
    TBmpLayout layout;
    layout.Width = width, layout.Height = height, layout.BitCount = bits, layout.Rows = std::move(rows);
    layout.Palette = std::move(palette), layout.ColoursUsed = coloursUsed, layout.HeaderSize = header;
    layout.Gap = gap;
    return layout;
}

TBmpLayout TwoByTwo() { return Bmp(2, 2, 24, kTwoByTwoRows); }

std::vector<int> Rgb(uint32_t rgb) { return {int(rgb >> 16), int(rgb >> 8 & 255), int(rgb & 255)}; }

// Each row layout, palette and header the loader reads, and the pixels
// (x, y, 0xRRGGBB) it must give.
TEST(BmpLoader, ReadsEveryLayoutItAccepts) {
    std::vector<uint32_t> fullPalette(256, 0);
    fullPalette[1] = 0x112233, fullPalette[255] = 0xAABBCC;
    struct Case {
        const char* Name;
        TBmpLayout Layout;
        std::vector<std::array<uint32_t, 3>> Pixels;
    } cases[] = {
        {"24 bits, bottom-up rows",
         TwoByTwo(),
         {{0, 0, 0xFF0000}, {1, 0, 0x00FF00}, {0, 1, 0x0000FF}, {1, 1, 0xFFFFFF}}},
        {"rows padded to four bytes",
         Bmp(1, 2, 24, {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}}),
         {{0, 1, 0x302010}, {0, 0, 0x605040}}},
        {"8 bits, colours used 0: full palette",
         Bmp(2, 1, 8, {{1, 255}}, fullPalette),
         {{0, 0, 0x112233}, {1, 0, 0xAABBCC}}},
        {"short palette: unlisted index black",
         Bmp(2, 1, 4, {{0x1F}}, {0, 0xFFFFFF}, 2),
         {{0, 0, 0xFFFFFF}, {1, 0, 0}}},
        {"long palette: extra entries skipped",
         Bmp(2, 1, 1, {{0x40}}, {0, 0xFF, 0xFF00, 0xFF0000}, 4),
         {{0, 0, 0}, {1, 0, 0x0000FF}}},
        {"1 bit, most significant first",
         Bmp(9, 1, 1, {{0xA0, 0x80}}, {0, 0xFF8000}),
         {{0, 0, 0xFF8000}, {1, 0, 0}, {2, 0, 0xFF8000}, {3, 0, 0}, {7, 0, 0}, {8, 0, 0xFF8000}}},
        {"108-byte header", Bmp(2, 2, 24, kTwoByTwoRows, {}, 0, 108), {{0, 0, 0xFF0000}, {1, 1, 0xFFFFFF}}},
        {"124-byte header", Bmp(2, 2, 24, kTwoByTwoRows, {}, 0, 124), {{0, 0, 0xFF0000}, {1, 1, 0xFFFFFF}}},
        {"palette after a 124-byte header, rows after a gap",
         Bmp(1, 1, 8, {{1}}, {0, 0x123456}, 2, 124, 10),
         {{0, 0, 0x123456}}},
        {"negative height: top-down", Bmp(2, -2, 24, kTwoByTwoRows), {{0, 0, 0x0000FF}, {1, 1, 0x00FF00}}},
        {"unsupported bit count: zero-filled",
         Bmp(2, 2, 16, {{0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF}}),
         {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
    };
    for (const Case& c : cases) {
        auto p = test::LoadFromBytes(test::MakeBmp(c.Layout));
        ASSERT_TRUE(p) << c.Name;
        EXPECT_EQ(p->Format, PixelFormatRGB888) << c.Name;
        EXPECT_EQ(p->Width, c.Layout.Width) << c.Name;
        EXPECT_EQ(p->Height, std::abs(c.Layout.Height)) << c.Name;
        for (const auto& [x, y, rgb] : c.Pixels)
            EXPECT_EQ(Rgb(*p, static_cast<int32_t>(x), static_cast<int32_t>(y)), Rgb(rgb))
                << c.Name << " " << x << "," << y;
    }
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

TEST(BmpLoader, ReadsFromTheStreamPosition) {
    Bytes file = {1, 2, 3};
    Bytes bmp = test::MakeBmp(TwoByTwo());
    file.insert(file.end(), bmp.begin(), bmp.end());
    TMemoryStream stream(file);
    stream.Seek(3);
    auto p = LoadPixmap(stream);
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 1, 1), Rgb(0xFFFFFF));
    // A data offset pointing back into the headers: the rows follow them.
    Bytes back = test::MakeBmp(TwoByTwo());
    back[10] = 20, back[11] = back[12] = back[13] = 0;
    p = test::LoadFromBytes(back);
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), Rgb(0xFF0000));
    EXPECT_EQ(Rgb(*p, 1, 1), Rgb(0xFFFFFF));
}

}  // namespace
}  // namespace tuublark
