// Inputs the fuzz targets found: short files whose headers promise huge
// pictures or chunks. Each must be refused quickly and without taking the
// memory it promises. The files themselves are kept in fuzz/regressions/.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"
#include "picture_builders.h"
#include "tests/support/game_process.h"

namespace tuublark {
namespace {

using Loader = PixmapRef (*)(TStream&);
enum TOutcome { Refused, Loaded, TooMuchMemory, Crashed };

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

test::Bytes ReadRegression(const std::string& name) {
    const std::string bytes = test::ReadFile(TUUBLARK_SOURCE_DIR "/fuzz/regressions/" + name);
    return test::Bytes(bytes.begin(), bytes.end());
}

// What the loader (LoadPixmap when none) makes of the file, with the
// growth of its peak memory checked against `limitKb`, far below what the
// header promises. In a child process, as the peak of this one may be
// higher already.
TOutcome Load(const test::Bytes& bytes, Loader loader = nullptr, long limitKb = 64 * 1024) {
    pid_t child = fork();
    if (child == 0) {
        const long before = PeakResidentKb();
        TMemoryStream stream(bytes);
        PixmapRef pixmap;
        try {
            pixmap = loader ? loader(stream) : LoadPixmap(stream);
        } catch (const TStreamError&) {
        }
        _exit(PeakResidentKb() - before >= limitKb ? TooMuchMemory : pixmap ? Loaded : Refused);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? static_cast<TOutcome>(WEXITSTATUS(status)) : Crashed;
}

TEST(FuzzRegressions, FilesPromisingHugePicturesOrChunksAreRefusedWithinTheirMemory) {
    // 16384 x 16384 with bit count 0: no row bytes are needed, so the
    // header alone once made an 800 MB picture.
    test::TBmpLayout zeroBits;
    zeroBits.Width = zeroBits.Height = MaxPictureSide;
    zeroBits.BitCount = 0;
    // 32 bits per pixel is not decoded, but its rows must be in the file
    // for the picture of the stated size to be made.
    test::TBmpLayout undecoded;
    undecoded.Width = 3, undecoded.Height = 2, undecoded.BitCount = 32;
    undecoded.Rows = {test::Bytes(12, 0x7F), test::Bytes(12, 0x7F)};
    test::Bytes cutShort = test::MakeBmp(undecoded);
    cutShort.resize(cutShort.size() - 13);  // the last row cut short
    // A 154-byte PNG whose text chunk states 1.3 GB (libpng allocates a
    // chunk's stated length before reading it), and 220 bytes of JPEG
    // declaring 11568 x 6431 whose arithmetic decoder made up the missing
    // data as zeros.
    const test::Bytes png = ReadRegression("png/text-chunk-claims-1300mb.png");
    const test::Bytes jpeg = ReadRegression("jpeg/arithmetic-cut-short-11568x6431.jpg");
    const struct {
        test::Bytes File;
        Loader With;
        TOutcome Outcome;
    } cases[] = {
        {test::MakeBmp(zeroBits), LoadBmpPixmap, Refused},
        {ReadRegression("bmp/bitcount0-huge-header-only.bmp"), nullptr, Refused},
        {ReadRegression("tga/bmp-bitcount0-huge-header-only.bin"), nullptr, Refused},
        {test::MakeBmp(undecoded), LoadBmpPixmap, Loaded},
        {cutShort, LoadBmpPixmap, Refused},
        {png, LoadPngPixmap, Refused},
        {png, nullptr, Refused},
        {jpeg, LoadJpegPixmap, Refused},
        {jpeg, nullptr, Refused},
        {test::MakeJpeg(40, 30, 200, 100, 50), LoadJpegPixmap, Loaded},  // Huffman-coded pictures still load
    };
    ASSERT_GT(png.size(), 100u);
    ASSERT_GT(jpeg.size(), 100u);
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Load(cases[i].File, cases[i].With), cases[i].Outcome) << i;
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

// Refused, and within 16 MB: a third of the 48 MB of a whole 4096 x 4096
// picture. The rows are reserved, not used; AddressSanitizer's shadow of
// the reservation alone takes an eighth of it.
TEST(FuzzRegressions, PicturesOver4096AreRefusedAndCutShortOnesCostOnlyTheirData) {
    PixmapRef small = CreatePixmap(64, 64, PixelFormatRGB888);
    for (size_t i = 0; i < small->Data.size(); ++i) small->Data[i] = static_cast<uint8_t>(i * 13);
    const test::Bytes png = test::MakePng(*small), jpeg = test::MakeJpeg(64, 64, 90, 160, 30);
    for (uint32_t side : {4096u, 4097u, 16384u}) {
        EXPECT_EQ(Load(StatingSize(png, side, true), LoadPngPixmap, 16 * 1024), Refused) << side;
        EXPECT_EQ(Load(StatingSize(jpeg, side, false), LoadJpegPixmap, 16 * 1024), Refused) << side;
    }
}

}  // namespace
}  // namespace tuublark
