// The generated data folder, read with the game's own loaders: every file
// is there, pictures have their sizes and masks and contrast, loops last
// one sweep pass and are equally loud.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "engine/audio/audio_sample.h"
#include "engine/audio/sample_loader.h"
#include "engine/image/pixmap.h"
#include "engine/runtime/filesystem.h"
#include "engine/text/freetype_font.h"
#include "game/assets.h"
#include "game/frame_loop.h"
#include "game/presentation/skins.h"
#include "tools/assetgen/loudness.h"

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

// Every channel plays at 0.7 of full volume (start-up), 2867 of 4096.
constexpr int kGameChannelVolume = 2867;

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

// WCAG relative luminance of an sRGB pixel, and the contrast of two.
double RelativeLuminance(const uint8_t* p) {
    double linear[3];
    for (int c = 0; c < 3; ++c) {
        double v = p[c] / 255.0;
        linear[c] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    }
    return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2];
}

double MeanRelativeLuminance(const TPixmap& rgb) {
    double sum = 0;
    for (int y = 0; y < rgb.Height; ++y)
        for (int x = 0; x < rgb.Width; ++x) sum += RelativeLuminance(rgb.Row(y) + x * 3);
    return sum / (rgb.Width * rgb.Height);
}

double Contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

// Integrated loudness of a decoded 16-bit stereo sound.
double SampleLoudness(const TAudioSample& sample) {
    const int16_t* values = reinterpret_cast<const int16_t*>(sample.Samples);
    std::vector<double> left(sample.Length), right(sample.Length);
    for (int32_t i = 0; i < sample.Length; ++i) {
        left[i] = values[2 * i] / 32768.0;
        right[i] = values[2 * i + 1] / 32768.0;
    }
    return assetgen::IntegratedLoudness(left, right, sample.Hertz);
}

// Masked pictures have both pure green (transparent once masked) and
// visible parts; no other picture holds a single pure green pixel (it would
// show as a hole if ever masked, and marks a drawing mistake).
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
    // Border k and the cell before it (k = 0, and rows past the last, repeat one).
    for (int k = 0; k <= 16; ++k) {
        EXPECT_LT(lum(160 + 30 * k, 205), 160) << "column border " << k;
        EXPECT_LT(lum(300, 110 + 30 * std::min(k, 12)), 160) << "row border " << k;
        EXPECT_GT(lum(145 + 30 * std::max(k, 1), 205), 190) << "inside column " << k;
        EXPECT_GT(lum(305, 95 + 30 * std::clamp(k, 1, 12)), 190) << "inside row " << k;
    }
    for (int sy = 473; sy < top + grid->Height; ++sy) EXPECT_EQ(lum(400, sy), 255) << sy;
}

// Each loop lasts exactly one sweep pass of its skin, counted in frames as
// the game counts them, at 735 samples a frame. It fades out to silence at
// its end and starts near silence on its first beat (the codec's smearing
// of that first drum hit leaves a few hundred), so a restart never clicks.
// The loops are equally loud, and a loop at the game's channel volume with
// the loudest effect on its loudest beat stays below -1 dBFS.
TEST_F(GeneratedAssets, DrumLoopsLastOnePassAreEquallyLoudAndLeaveHeadroom) {
    auto peakOf = [](const TAudioSample& sample) {
        const int16_t* values = reinterpret_cast<const int16_t*>(sample.Samples);
        int peak = 0;
        for (int32_t i = 0; i < sample.Length * 2; ++i) peak = std::max(peak, std::abs(int(values[i])));
        return peak;
    };
    int effectPeak = 0;
    for (const char* path : {kBleepSoundPath, kTransitionSoundPath}) {
        AudioSampleRef effect = LoadAudioSample(path);
        ASSERT_TRUE(effect) << path;
        effectPeak = std::max(effectPeak, peakOf(*effect));
    }
    double quietest = 0, loudest = -100;
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        const TSkin& s = SkinTable(skin);
        SCOPED_TRACE(s.MusicLoop);
        AudioSampleRef sample = LoadAudioSample(s.MusicLoop);
        ASSERT_TRUE(sample);
        EXPECT_EQ(sample->Length, SweepPassFrames(SkinSweepSpeed(skin)) * 735);
        const int16_t* frames = reinterpret_cast<const int16_t*>(sample->Samples);
        const int32_t last = sample->Length - 1;
        for (int side = 0; side < 2; ++side) {
            EXPECT_LT(std::abs(frames[side]), 1500);
            EXPECT_LT(std::abs(frames[last * 2 + side]), 600);
        }
        const double lufs = SampleLoudness(*sample);
        quietest = skin == 1 ? lufs : std::min(quietest, lufs);
        loudest = std::max(loudest, lufs);
        const double mixedPeak = (peakOf(*sample) + effectPeak) * (kGameChannelVolume / 4096.0) / 32768.0;
        EXPECT_LE(20 * std::log10(mixedPeak), -1.0);
        std::printf("%s: %d samples, %.2f LUFS, peak with effect %.2f dBFS\n", s.MusicLoop, sample->Length, lufs,
                    20 * std::log10(mixedPeak));
    }
    std::printf("loop_loudness_spread_lu %.2f\n", loudest - quietest);
    EXPECT_LE(loudest - quietest, 2.0);
    EXPECT_GT(quietest, -30.0);  // heard, not silence
}

// WCAG contrast: the two colours' cell pictures differ by at least 3:1 in
// every skin, and the panel's numbers (white at alpha 0.5, right-aligned to
// x 780) reach 4.5:1 against every background pixel behind them.
TEST_F(GeneratedAssets, ColoursAndPanelNumbersContrast) {
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        auto paths = SkinPicturePaths(skin);
        PixmapRef a = LoadRgb(paths[0]), b = LoadRgb(paths[1]);
        ASSERT_TRUE(a && b) << paths[0];
        const double cells = Contrast(MeanRelativeLuminance(*a), MeanRelativeLuminance(*b));
        char path[32];
        std::snprintf(path, sizeof path, "backgrounds/BG%02d.bmp", skin);
        PixmapRef background = LoadRgb(path);
        ASSERT_TRUE(background) << path;
        double panel = 21.0;
        for (int top : {165, 235, 305, 375, 445})
            for (int y = top; y < top + 24; ++y)
                for (int x = 680; x < 780; ++x) {
                    const uint8_t* p = background->Row(y) + x * 3;
                    uint8_t over[3];
                    for (int c = 0; c < 3; ++c) over[c] = static_cast<uint8_t>((255 + p[c]) / 2);
                    panel = std::min(panel, Contrast(RelativeLuminance(over), RelativeLuminance(p)));
                }
        std::printf("skin %d: colours %.2f:1, panel numbers %.2f:1\n", skin, cells, panel);
        EXPECT_GE(cells, 3.0) << "skin " << skin;
        EXPECT_GE(panel, 4.5) << "skin " << skin;
    }
}

}  // namespace
}  // namespace tuublark
