#include <gtest/gtest.h>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"
#include "picture_builders.h"

namespace tuublark {
namespace {

using test::Bytes;

Bytes Cut(const Bytes& b, size_t keep) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(keep)); }

PixmapRef GradientRgba(int32_t w, int32_t h) {
    auto p = CreatePixmap(w, h, PixelFormatRGBA8888);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* q = p->Row(y) + x * 4;
            q[0] = static_cast<uint8_t>(x * 20), q[1] = static_cast<uint8_t>(y * 30), q[2] = 7;
            q[3] = static_cast<uint8_t>(255 - x);
        }
    return p;
}

// An uncompressed or run-length TGA, of 2x2 pixels unless told.
Bytes MakeTga(uint8_t type, uint8_t bits, uint8_t descriptor, const Bytes& data, const Bytes& map = {},
              uint8_t mapBits = 0, uint16_t width = 2, uint16_t height = 2) {
    Bytes b = {0, static_cast<uint8_t>(map.empty() ? 0 : 1), type};
    test::PutLE16(b, 0);
    test::PutLE16(b, static_cast<uint32_t>(map.empty() ? 0 : map.size() / ((mapBits + 7) / 8)));
    b.push_back(mapBits);
    test::PutLE16(b, 0);
    test::PutLE16(b, 0);
    test::PutLE16(b, width);
    test::PutLE16(b, height);
    b.push_back(bits);
    b.push_back(descriptor);
    b.insert(b.end(), map.begin(), map.end());
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

std::vector<int> Pixel(const TPixmap& p, int32_t x, int32_t y) {
    int32_t n = BytesPerPixel(p.Format);
    const uint8_t* q = p.Row(y) + x * n;
    return std::vector<int>(q, q + n);
}

TEST(PngLoader, ReadsRgbAndRgbaPicturesWrittenBySavePixmapPng) {
    auto rgba = GradientRgba(5, 3);
    auto back = test::LoadFromBytes(test::MakePng(*rgba));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Format, PixelFormatRGBA8888);
    EXPECT_EQ(back->Width, 5);
    EXPECT_EQ(Pixel(*back, 4, 2), Pixel(*rgba, 4, 2));

    auto rgb = ConvertPixmap(*rgba, PixelFormatRGB888);
    back = test::LoadFromBytes(test::MakePng(*rgb));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Format, PixelFormatRGB888);
    EXPECT_EQ(Pixel(*back, 3, 1), Pixel(*rgb, 3, 1));
}

TEST(PngLoader, DeclinesOtherColourTypesAndDamagedFiles) {
    Bytes png = test::MakePng(*GradientRgba(16, 16));
    Bytes grey = png;  // the same rows, read as 64 grey pixels each
    test::PatchPngHeader(grey, 16, {0, 0, 0, 64, 0, 0, 0, 16, 8, 0});
    EXPECT_EQ(test::LoadFromBytes(grey), nullptr);
    EXPECT_EQ(test::LoadFromBytes(Cut(png, png.size() / 2)), nullptr);
    EXPECT_EQ(test::LoadFromBytes(Cut(png, 20)), nullptr);
    Bytes corrupt = png;
    for (size_t i = 40; i < corrupt.size() - 12; i += 7) corrupt[i] ^= 0x5A;  // breaks IDAT and its CRC
    EXPECT_EQ(test::LoadFromBytes(corrupt), nullptr);
}

TEST(JpegLoader, DecodesToRgb) {
    // As made, and padded by a comment to 4097 bytes: the last of the
    // loader's 4096-byte reads then gives one byte, the end marker's last.
    const Bytes jpeg = test::MakeJpeg(16, 8, 200, 40, 90);
    const size_t pad = 4097 - jpeg.size() - 4;
    Bytes padded = {0xFF, 0xD8, 0xFF, 0xFE, static_cast<uint8_t>((pad + 2) >> 8), static_cast<uint8_t>(pad + 2)};
    padded.resize(padded.size() + pad, 'x');
    padded.insert(padded.end(), jpeg.begin() + 2, jpeg.end());
    for (const Bytes& bytes : {jpeg, padded}) {
        auto p = test::LoadFromBytes(bytes);
        ASSERT_TRUE(p) << bytes.size();
        EXPECT_EQ(p->Format, PixelFormatRGB888);
        EXPECT_EQ(p->Width, 16);
        EXPECT_EQ(p->Height, 8);
        std::vector<int> c = Pixel(*p, 7, 4);
        EXPECT_NEAR(c[0], 200, 4);
        EXPECT_NEAR(c[1], 40, 4);
        EXPECT_NEAR(c[2], 90, 4);
    }
}

TEST(JpegLoader, TruncatedAndCorruptFilesGiveNull) {
    Bytes jpeg = test::MakeJpeg(64, 64, 10, 200, 30);
    EXPECT_EQ(test::LoadFromBytes(Cut(jpeg, jpeg.size() - 40)), nullptr);
    EXPECT_EQ(test::LoadFromBytes(Cut(jpeg, 30)), nullptr);
    Bytes corrupt = jpeg;
    corrupt[2] = 0x00;  // the marker after SOI is no marker
    EXPECT_EQ(test::LoadFromBytes(corrupt), nullptr);
}

TEST(TgaLoader, ReadsTrueColourPicturesOfEveryDepth) {
    // 24 bits, bottom-up: the first stored row is the bottom one.
    auto p = test::LoadFromBytes(MakeTga(2, 24, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Format, PixelFormatRGB888);
    EXPECT_EQ(Pixel(*p, 0, 1), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(Pixel(*p, 1, 0), (std::vector<int>{12, 11, 10}));

    // 32 bits with 8 alpha bits, top-down.
    p = test::LoadFromBytes(MakeTga(2, 32, 0x28, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Format, PixelFormatRGBA8888);
    EXPECT_EQ(Pixel(*p, 0, 0), (std::vector<int>{3, 2, 1, 4}));

    // 16 bits, 5-5-5: pure red and pure blue, widened to 8 bits.
    p = test::LoadFromBytes(MakeTga(2, 16, 0x20, {0x00, 0x7C, 0x1F, 0x00, 0xE0, 0x03, 0, 0}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixel(*p, 0, 0), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(Pixel(*p, 1, 0), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(Pixel(*p, 0, 1), (std::vector<int>{0, 255, 0}));
}

TEST(TgaLoader, ReadsRunLengthAndColourMappedPictures) {
    // One run of three and one literal pixel.
    auto p = test::LoadFromBytes(MakeTga(10, 24, 0x20, {0x82, 10, 20, 30, 0x00, 40, 50, 60}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixel(*p, 1, 0), (std::vector<int>{30, 20, 10}));
    EXPECT_EQ(Pixel(*p, 0, 1), (std::vector<int>{30, 20, 10}));
    EXPECT_EQ(Pixel(*p, 1, 1), (std::vector<int>{60, 50, 40}));
    // A literal packet of three runs on into the second row.
    p = test::LoadFromBytes(MakeTga(10, 24, 0x20, {0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x80, 10, 11, 12}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixel(*p, 0, 1), (std::vector<int>{9, 8, 7}));
    EXPECT_EQ(Pixel(*p, 1, 1), (std::vector<int>{12, 11, 10}));
    // A run longer than the picture stops at its end.
    EXPECT_TRUE(test::LoadFromBytes(MakeTga(10, 24, 0x20, {0xFF, 1, 2, 3, 0, 0, 0, 0})));

    // Palette of 24-bit entries; index 5 is beyond the palette.
    p = test::LoadFromBytes(MakeTga(1, 8, 0x20, {0, 1, 1, 5}, {1, 2, 3, 4, 5, 6}, 24));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixel(*p, 0, 0), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(Pixel(*p, 1, 0), (std::vector<int>{6, 5, 4}));
    EXPECT_EQ(Pixel(*p, 1, 1), (std::vector<int>{0, 0, 0}));
    // 32-bit palette entries and alpha bits: the entries' alpha is kept.
    p = test::LoadFromBytes(MakeTga(1, 8, 0x28, {0, 1, 1, 0}, {1, 2, 3, 4, 5, 6, 7, 8}, 32));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixel(*p, 1, 0), (std::vector<int>{7, 6, 5, 8}));
}

TEST(TgaLoader, RefusesOtherTypesAndTruncatedData) {
    EXPECT_EQ(test::LoadFromBytes(MakeTga(3, 8, 0, {1, 2, 3, 4})), nullptr);  // grey
    EXPECT_EQ(test::LoadFromBytes(MakeTga(2, 8, 0, {1, 2, 3, 4})), nullptr);  // 8-bit true colour
    EXPECT_EQ(test::LoadFromBytes(MakeTga(2, 24, 0, {1, 2, 3, 4, 5})), nullptr);
    EXPECT_EQ(test::LoadFromBytes(MakeTga(10, 24, 0, {0x83, 1, 2})), nullptr);
    EXPECT_EQ(test::LoadFromBytes(MakeTga(10, 24, 0, {0x00, 1, 2, 3})), nullptr);
    EXPECT_EQ(test::LoadFromBytes(Cut(MakeTga(2, 24, 0, Bytes(12, 1)), 10)), nullptr);
}

// Every format takes a picture as long or as wide as the limit, and refuses
// one with either side alone past it, though all its data is there.
TEST(LoadPixmap, EachFormatRefusesEitherSideOverTheLimit) {
    const std::pair<const char*, Bytes (*)(int32_t, int32_t)> formats[] = {
        {"PNG", [](int32_t w, int32_t h) { return test::MakePng(*CreatePixmap(w, h, PixelFormatRGB888)); }},
        {"JPEG", [](int32_t w, int32_t h) { return test::MakeJpeg(w, h, 1, 2, 3); }},
        {"TGA",
         [](int32_t w, int32_t h) {
             return MakeTga(2, 24, 0, Bytes(static_cast<size_t>(w * h * 3), 9), {}, 0, static_cast<uint16_t>(w),
                            static_cast<uint16_t>(h));
         }},
        {"BMP",
         [](int32_t w, int32_t h) {
             test::TBmpLayout layout;
             layout.Width = w, layout.Height = h;
             layout.Rows.assign(static_cast<size_t>(h), Bytes(static_cast<size_t>(w * 3), 9));
             return test::MakeBmp(layout);
         }},
    };
    for (const auto& [name, make] : formats)
        for (auto [w, h] :
             {std::pair{MaxPictureSide, 1}, {1, MaxPictureSide}, {MaxPictureSide + 1, 1}, {1, MaxPictureSide + 1}}) {
            PixmapRef p = test::LoadFromBytes(make(w, h));
            EXPECT_EQ(p != nullptr, w <= MaxPictureSide && h <= MaxPictureSide) << name << " " << w << "x" << h;
        }
}

TEST(LoadPixmap, MissingFilesAndUnknownDataGiveNull) {
    EXPECT_EQ(LoadPixmap(std::string("/nonexistent/picture.bmp")), nullptr);
    EXPECT_EQ(test::LoadFromBytes({}), nullptr);
    EXPECT_EQ(test::LoadFromBytes(Bytes(100, 0x42)), nullptr);
}

}  // namespace
}  // namespace tuublark
