// Inputs the fuzz targets found: short files whose headers promise huge
// pictures or chunks. Each must be refused quickly and without taking the
// memory it promises. The files themselves are kept in fuzz/regressions/.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"
#include "picture_builders.h"

namespace fs = std::filesystem;

namespace tuublark {
namespace {

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

test::Bytes ReadRegression(const std::string& name) {
    std::ifstream in(fs::path(TUUBLARK_SOURCE_DIR) / "fuzz" / "regressions" / name, std::ios::binary);
    return test::Bytes(std::istreambuf_iterator<char>(in), {});
}

// The loader's result, with the growth of the peak resident memory it
// caused checked: far below what the header promises.
PixmapRef LoadWithinMemory(const test::Bytes& bytes, PixmapRef (*loader)(TStream&) = nullptr) {
    const long before = PeakResidentKb();
    PixmapRef pixmap;
    TMemoryStream stream(bytes);
    if (loader) {
        try {
            pixmap = loader(stream);
        } catch (const TStreamError&) {
        }
    } else {
        pixmap = LoadPixmap(stream);
    }
    EXPECT_LT(PeakResidentKb() - before, 64 * 1024) << "KB taken by a " << bytes.size() << "-byte file";
    return pixmap;
}

TEST(FuzzRegressions, BmpHeaderWithBitCountZeroAndNoRowsIsRefused) {
    // 16384 x 16384 with bit count 0: no row bytes are needed, so the
    // header alone once made an 800 MB picture.
    test::TBmpLayout layout;
    layout.Width = MaxPictureSide;
    layout.Height = MaxPictureSide;
    layout.BitCount = 0;
    EXPECT_FALSE(LoadWithinMemory(test::MakeBmp(layout), LoadBmpPixmap));
    EXPECT_FALSE(LoadWithinMemory(ReadRegression("bmp/bitcount0-huge-header-only.bmp")));
    EXPECT_FALSE(LoadWithinMemory(ReadRegression("tga/bmp-bitcount0-huge-header-only.bin")));
}

TEST(FuzzRegressions, BmpOfAnUndecodedBitCountStillNeedsItsRows) {
    // 32 bits per pixel is not decoded, but its rows must be in the file
    // for the picture of the stated size to be made.
    test::TBmpLayout layout;
    layout.Width = 3;
    layout.Height = 2;
    layout.BitCount = 32;
    layout.Rows = {test::Bytes(12, 0x7F), test::Bytes(12, 0x7F)};
    test::Bytes file = test::MakeBmp(layout);
    PixmapRef whole = LoadWithinMemory(file, LoadBmpPixmap);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->Width, 3);
    EXPECT_EQ(whole->Height, 2);
    file.resize(file.size() - 13);  // the last row cut short
    EXPECT_FALSE(LoadWithinMemory(file, LoadBmpPixmap));
}

TEST(FuzzRegressions, PngChunkClaimingGigabytesIsRefusedWithoutAllocatingThem) {
    // A 154-byte file whose text chunk states 1.3 GB: libpng allocates a
    // chunk's stated length before reading it.
    const test::Bytes file = ReadRegression("png/text-chunk-claims-1300mb.png");
    ASSERT_GT(file.size(), 100u);
    EXPECT_FALSE(LoadWithinMemory(file, LoadPngPixmap));
    EXPECT_FALSE(LoadWithinMemory(file));
}

TEST(FuzzRegressions, ArithmeticCodedJpegCutShortIsRefused) {
    // 220 bytes declaring 11568 x 6431: the arithmetic decoder made up the
    // missing data as zeros and a 220 MB picture came back.
    const test::Bytes file = ReadRegression("jpeg/arithmetic-cut-short-11568x6431.jpg");
    ASSERT_GT(file.size(), 100u);
    EXPECT_FALSE(LoadWithinMemory(file, LoadJpegPixmap));
    EXPECT_FALSE(LoadWithinMemory(file));
    // Huffman-coded pictures still load.
    EXPECT_TRUE(LoadWithinMemory(test::MakeJpeg(40, 30, 200, 100, 50), LoadJpegPixmap));
}

TEST(FuzzRegressions, PicturesStillLoadWithTheAllocationCap) {
    PixmapRef rgba = CreatePixmap(300, 200, PixelFormatRGBA8888);
    for (size_t i = 0; i < rgba->Data.size(); ++i) rgba->Data[i] = static_cast<uint8_t>(i * 7);
    PixmapRef loaded = LoadWithinMemory(test::MakePng(*rgba), LoadPngPixmap);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Format, PixelFormatRGBA8888);
    EXPECT_EQ(loaded->Row(199)[299 * 4 + 2], rgba->Row(199)[299 * 4 + 2]);
}

}  // namespace
}  // namespace tuublark
