// Inputs the fuzz targets found: short files whose headers promise huge
// pictures or chunks. Each must be refused quickly and without taking the
// memory it promises. The files themselves are kept in fuzz/regressions/.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
PixmapRef LoadWithinMemory(const test::Bytes& bytes, PixmapRef (*loader)(TStream&) = nullptr,
                           long limitKb = 64 * 1024) {
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
    EXPECT_LT(PeakResidentKb() - before, limitKb) << "KB taken by a " << bytes.size() << "-byte file";
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

// A small picture file whose header is changed to state side x side.
test::Bytes StatingSize(test::Bytes file, uint32_t side, bool png) {
    if (png) {
        const uint8_t b[4] = {static_cast<uint8_t>(side >> 24), static_cast<uint8_t>(side >> 16),
                              static_cast<uint8_t>(side >> 8), static_cast<uint8_t>(side)};
        test::PatchPngHeader(file, 16, {b[0], b[1], b[2], b[3], b[0], b[1], b[2], b[3]});
        return file;
    }
    for (size_t i = 2; i + 8 < file.size(); ++i) {
        if (file[i] != 0xFF || file[i + 1] != 0xC0) continue;  // the frame header
        file[i + 5] = file[i + 7] = static_cast<uint8_t>(side >> 8);
        file[i + 6] = file[i + 8] = static_cast<uint8_t>(side);
        break;
    }
    return file;
}

// Whether the loader refuses the file and its peak memory grows by less
// than 8 MB (far less than the 48 MB of a whole 4096 x 4096 picture). In a
// child process, as the peak of this one may be higher already.
bool RefusedWithin8Mb(const test::Bytes& bytes, PixmapRef (*loader)(TStream&)) {
    pid_t child = fork();
    if (child == 0) {
        const long before = PeakResidentKb();
        TMemoryStream stream(bytes);
        PixmapRef pixmap;
        try {
            pixmap = loader(stream);
        } catch (const TStreamError&) {
        }
        _exit(!pixmap && PeakResidentKb() - before < 8 * 1024 ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(FuzzRegressions, PicturesOver4096AreRefusedAndCutShortOnesCostOnlyTheirData) {
    PixmapRef small = CreatePixmap(64, 64, PixelFormatRGB888);
    for (size_t i = 0; i < small->Data.size(); ++i) small->Data[i] = static_cast<uint8_t>(i * 13);
    const test::Bytes png = test::MakePng(*small), jpeg = test::MakeJpeg(64, 64, 90, 160, 30);
    for (uint32_t side : {4096u, 4097u, 16384u}) {
        EXPECT_TRUE(RefusedWithin8Mb(StatingSize(png, side, true), LoadPngPixmap)) << side;
        EXPECT_TRUE(RefusedWithin8Mb(StatingSize(jpeg, side, false), LoadJpegPixmap)) << side;
    }
}

}  // namespace
}  // namespace tuublark
