// The generated data folder, read with the game's own loaders: every file
// is there, pictures have their sizes and masks, loops last one sweep pass.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "engine/audio/audio_sample.h"
#include "engine/audio/sample_loader.h"
#include "engine/image/pixmap.h"
#include "engine/runtime/filesystem.h"
#include "engine/text/freetype_font.h"
#include "game/assets.h"
#include "game/presentation/skins.h"

namespace tuublark {
namespace {

class GeneratedAssets : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = DataFolder();
        SetDataFolder(TUUBLARK_BINARY_DIR);
    }
    void TearDown() override { SetDataFolder(previous_); }

    std::string previous_;
};

PixmapRef LoadRgb(const std::string& path) {
    PixmapRef pixmap = LoadPixmap(path);
    if (!pixmap) return nullptr;
    return pixmap->Format == PixelFormatRGB888 ? pixmap : ConvertPixmap(*pixmap, PixelFormatRGB888);
}

bool IsPureGreen(const uint8_t* p) { return p[0] == 0 && p[1] == 255 && p[2] == 0; }

std::set<std::string> MaskedPaths() {
    std::set<std::string> masked;
    for (const CatalogueImage& image : kStartupImages)
        if (image.Flags & 4) masked.insert(image.Path);
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        auto paths = SkinPicturePaths(skin);
        masked.insert(paths[4]);
        masked.insert(paths[5]);
    }
    return masked;
}

double MeanLuminance(const TPixmap& rgb) {
    double sum = 0;
    for (int y = 0; y < rgb.Height; ++y)
        for (int x = 0; x < rgb.Width; ++x) {
            const uint8_t* p = rgb.Row(y) + x * 3;
            sum += 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
        }
    return sum / (rgb.Width * rgb.Height);
}

TEST_F(GeneratedAssets, EveryPathResolvesAndDecodes) {
    for (const std::string& path : AllAssetPaths()) {
        SCOPED_TRACE(path);
        ASSERT_FALSE(ResolveAssetPath(path).empty());
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".bmp") == 0) {
            PixmapRef pixmap = LoadPixmap(path);
            ASSERT_TRUE(pixmap);
            EXPECT_EQ(pixmap->Format, PixelFormatRGB888);
        } else if (path.compare(path.size() - 4, 4, ".ogg") == 0) {
            AudioSampleRef sample = LoadAudioSample(path);
            ASSERT_TRUE(sample);
            EXPECT_EQ(sample->Hertz, 44100);
            EXPECT_EQ(sample->Format, SampleFormatStereo16LE);
        } else {
            EXPECT_TRUE(TFreeTypeFont::Load(path, kFontSize, kFontStyle));
        }
    }
}

TEST_F(GeneratedAssets, PicturesHaveTheSizesTheirPlacesNeed) {
    struct Expected {
        const char* Path;
        int Width, Height;
    };
    const Expected expected[] = {
        {"backgrounds/BG01.bmp", 800, 600}, {"backgrounds/BG10.bmp", 800, 600},
        {"graphics/Quelm-Grid.bmp", 482, 422}, {"graphics/Ely1.bmp", 34, 34},
        {"graphics/hippo2.bmp", 34, 34},   {"graphics/GiraffeLit1.bmp", 34, 34},
        {"graphics/CrocShock.bmp", 34, 34}, {"graphics/Lighttriggered1.bmp", 34, 34},
        {"Graphics/TBlock.bmp", 30, 30},    {"Graphics/KBlock.bmp", 30, 30},
        {"Graphics/MarkerDots.bmp", 480, 12}, {"Graphics/LevelTag.bmp", 120, 26},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.Path);
        PixmapRef pixmap = LoadPixmap(e.Path);
        ASSERT_TRUE(pixmap);
        EXPECT_EQ(pixmap->Width, e.Width);
        EXPECT_EQ(pixmap->Height, e.Height);
    }
    for (int n = 1; n <= 10; ++n) {
        char path[32];
        std::snprintf(path, sizeof path, "backgrounds/BG%02d.bmp", n);
        PixmapRef pixmap = LoadPixmap(path);
        ASSERT_TRUE(pixmap) << path;
        EXPECT_EQ(pixmap->Width, 800);
        EXPECT_EQ(pixmap->Height, 600);
    }
}

// Masked pictures are transparent exactly where they are pure green, and
// have both transparent and visible parts; no other picture holds a single
// pure green pixel (it would show as a hole if ever masked, and marks a
// drawing mistake).
TEST_F(GeneratedAssets, PureGreenOnlyWhereMasked) {
    const std::set<std::string> masked = MaskedPaths();
    for (const std::string& path : AllAssetPaths()) {
        if (path.compare(path.size() - 4, 4, ".bmp") != 0) continue;
        SCOPED_TRACE(path);
        PixmapRef rgb = LoadRgb(path);
        ASSERT_TRUE(rgb);
        int green = 0;
        for (int y = 0; y < rgb->Height; ++y)
            for (int x = 0; x < rgb->Width; ++x) green += IsPureGreen(rgb->Row(y) + x * 3);
        if (!masked.count(path)) {
            EXPECT_EQ(green, 0);
            continue;
        }
        EXPECT_GT(green, 0);
        EXPECT_LT(green, rgb->Width * rgb->Height);
        PixmapRef alpha = MaskPixmap(*rgb, 0, 255, 0);
        ASSERT_TRUE(alpha);
        for (int y = 0; y < rgb->Height; ++y)
            for (int x = 0; x < rgb->Width; ++x)
                ASSERT_EQ(alpha->Row(y)[x * 4 + 3] == 0, IsPureGreen(rgb->Row(y) + x * 3)) << x << "," << y;
    }
}

TEST_F(GeneratedAssets, LightAnimalsAreClearlyBrighterThanDarkOnes) {
    for (const char* animal : {"Ely", "Hippo", "Panda", "Ape", "Lion", "Croc", "Giraffe"}) {
        SCOPED_TRACE(animal);
        PixmapRef light = LoadRgb(std::string("graphics/") + animal + "1.bmp");
        PixmapRef dark = LoadRgb(std::string("graphics/") + animal + "2.bmp");
        ASSERT_TRUE(light && dark);
        EXPECT_GT(MeanLuminance(*light), MeanLuminance(*dark) + 60);
    }
}

// Drawn at (400, 320), the grid's lines fall on the cell borders
// x = 160 + 30k and y = 110 + 30k; below the board it is white, which
// multiplies to nothing.
TEST_F(GeneratedAssets, GridLinesLieOnTheCellBorders) {
    PixmapRef grid = LoadRgb("graphics/Quelm-Grid.bmp");
    ASSERT_TRUE(grid);
    const int left = 400 - grid->Width / 2, top = 320 - grid->Height / 2;
    auto lum = [&](int sx, int sy) {
        const uint8_t* p = grid->Row(sy - top) + (sx - left) * 3;
        return (p[0] + p[1] + p[2]) / 3;
    };
    for (int k = 0; k <= 16; ++k) {
        int x = 160 + 30 * k;
        EXPECT_LT(lum(x, 205), 160) << "x " << x;
        if (k < 16) {
            EXPECT_GT(lum(x + 15, 205), 190) << "inside column " << k;
        }
    }
    for (int k = 0; k <= 12; ++k) {
        int y = 110 + 30 * k;
        EXPECT_LT(lum(300, y), 160) << "y " << y;
        if (k < 12) {
            EXPECT_GT(lum(305, y + 15), 190) << "inside row " << k;
        }
    }
    for (int sy = 473; sy < top + grid->Height; ++sy) EXPECT_EQ(lum(400, sy), 255) << sy;
}

// Each loop lasts one sweep pass of its skin, 480 / N seconds, to within
// one frame per second. It fades out to silence at its end and starts near
// silence on its first beat (the codec's smearing of that first drum hit
// leaves a few hundred), so the step at a restart stays far below a click.
TEST_F(GeneratedAssets, DrumLoopsLastOnePassAndStartAndEndQuietly) {
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        const TSkin& s = SkinTable(skin);
        SCOPED_TRACE(s.MusicLoop);
        AudioSampleRef sample = LoadAudioSample(s.MusicLoop);
        ASSERT_TRUE(sample);
        const double seconds = 480.0 / s.SweepPixelsPerSecond;
        EXPECT_LE(std::fabs(sample->Length - seconds * 44100.0), seconds);
        const int16_t* frames = reinterpret_cast<const int16_t*>(sample->Samples);
        const int32_t last = sample->Length - 1;
        for (int side = 0; side < 2; ++side) {
            EXPECT_LT(std::abs(frames[side]), 1500);
            EXPECT_LT(std::abs(frames[last * 2 + side]), 600);
        }
        // Not silence: the loop is heard.
        int loudest = 0;
        for (int32_t i = 0; i < sample->Length * 2; ++i) loudest = std::max(loudest, std::abs(int(frames[i])));
        EXPECT_GT(loudest, 16000);
    }
}

TEST_F(GeneratedAssets, EffectSoundsDecodeWithTheirLengths) {
    AudioSampleRef transition = LoadAudioSample(kTransitionSoundPath);
    ASSERT_TRUE(transition);
    EXPECT_NEAR(transition->Length / 44100.0, 1.5, 0.1);
    AudioSampleRef bleep = LoadAudioSample(kBleepSoundPath);
    ASSERT_TRUE(bleep);
    EXPECT_GT(bleep->Length, 44100 / 10);
    EXPECT_LT(bleep->Length, 44100);
}

}  // namespace
}  // namespace tuublark
