// The ten skins: loading, the background slots and cross-fade
// through a whole cycle, sweep-line width by speed, the new-game reset.
#include "game/presentation/skins.h"

#include <filesystem>
#include <fstream>
#include <map>

#include "game/board/board.h"
#include "game/frame_loop.h"
#include "game/new_game.h"
#include "game/presentation/screens.h"
#include "presentation_fixture.h"
#include "tests/engine/image/picture_builders.h"

namespace tuublark::testing {
namespace {

namespace fs = std::filesystem;

class SkinsTest : public PresentationTest {
protected:
    // Draws the backdrop and returns the backgrounds drawn with their alphas.
    std::vector<std::pair<std::string, float>> Backgrounds() {
        log->Clear();
        DrawBackdropAndPanel(g);
        std::vector<std::pair<std::string, float>> out;
        for (const TDrawn& d : Drawn())
            if (d.What.rfind("Background", 0) == 0) out.push_back({d.What, d.State.Alpha});
        return out;
    }

    static std::string Bg(int n) { return "Background" + std::to_string(n); }

    // Runs a skin change from its first frame to its end, checking the
    // cross-fade from background `from` to background `to` in each frame.
    void RunSkinChange(int from, int to) {
        g.Screen = kSkinChangeScreen;
        const int32_t n = g.SkinChangeLength;
        ASSERT_GT(n, 0);
        for (int32_t t = 1; t <= n; ++t) {
            g.SkinChangeFrame = t;
            auto bgs = Backgrounds();
            ASSERT_EQ(bgs.size(), 2u) << "frame " << t;
            EXPECT_EQ(bgs[0].first, Bg(from));
            EXPECT_EQ(bgs[1].first, Bg(to));
            EXPECT_NEAR(bgs[0].second, 1.0f - static_cast<float>(t) / n, 1e-5) << "frame " << t;
            EXPECT_NEAR(bgs[1].second, static_cast<float>(t) / n, 1e-5) << "frame " << t;
        }
        EXPECT_NEAR(Backgrounds()[1].second, 1.0f, 1e-6);
        FinishSkinChange(g);
        auto after = Backgrounds();
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after[0].first, Bg(to));
        EXPECT_EQ(log->Ops.front().Kind, TOpKind::Color);  // solid again, white set first
        EXPECT_EQ(Drawn()[0].State.Blend, 2);
    }

    void NewGameWithFakes() {
        g.Screen = kTitleScreen;
        NewGame(g);
    }

    // The pace and change length of skin 1, as a new game and the change
    // from skin 10 leave them.
    void ExpectSkinOnePace() {
        EXPECT_EQ(g.SkinIndex, 1);
        EXPECT_EQ(g.SweepSpeed, 2.0f);
        EXPECT_EQ(g.SpawnDelay, 180);
        EXPECT_EQ(g.FallInterval, 60);
        EXPECT_EQ(g.CellsPerLevel, 10);
        EXPECT_EQ(g.SkinChangeLength, 90);
    }
};

// Tiny 24-bit BMP of the given width, so a loaded picture tells its file.
void WriteBmp(const fs::path& path, int width) {
    const test::Bytes bytes = test::MakeBmp24({std::vector<uint32_t>(width, 0xC8C8C8)});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST_F(SkinsTest, LoadSkinImagesLoadsTheSixFilesAndSetsSlotAndPace) {
    const fs::path previous = fs::current_path();
    const fs::path dir = fs::temp_directory_path() / ("skins_test_" + std::to_string(::getpid()));
    fs::create_directories(dir / "graphics");
    std::map<std::string, int> widthOf;
    for (int s = 1; s <= 10; ++s)
        for (const std::string& path : SkinPicturePaths(s))
            if (!widthOf.count(path)) {
                int width = static_cast<int>(widthOf.size()) + 1;
                widthOf[path] = width;
                WriteBmp(dir / path, width);
            }
    fs::current_path(dir);
    for (int s = 1; s <= 10; ++s) {
        const TSkin& row = SkinTable(s);
        const std::array<std::string, 6> paths = SkinPicturePaths(s);
        g.OddSkinBackground = g.EvenSkinBackground = nullptr;
        LoadSkinImages(g, s);
        const ImageRef* images[6] = {&g.AnimalAImage,    &g.AnimalBImage,      &g.AnimalALitImage,
                                     &g.AnimalBLitImage, &g.AnimalAShockImage, &g.AnimalBShockImage};
        for (int i = 0; i < 6; ++i) {
            ASSERT_TRUE(*images[i]) << paths[i];
            EXPECT_EQ((*images[i])->Width, widthOf[paths[i]]) << "skin " << s << " " << paths[i];
            EXPECT_EQ((*images[i])->Flags, i < 4 ? 2 : 4) << "skin " << s << " picture " << i;
        }
        // The slot hidden while this skin shows gets the next skin's background.
        const int next = s % 10 + 1;
        const ImageRef& hidden = s % 2 == 1 ? g.EvenSkinBackground : g.OddSkinBackground;
        const ImageRef& shown = s % 2 == 1 ? g.OddSkinBackground : g.EvenSkinBackground;
        EXPECT_EQ(hidden, g.Backgrounds[next - 1]) << s;
        EXPECT_EQ(shown, s == 1 ? g.Backgrounds[0] : nullptr) << s;
        EXPECT_EQ(g.SpawnDelay, row.SpawnDelay);
        EXPECT_EQ(g.FallInterval, row.FallInterval);
        EXPECT_EQ(g.CellsPerLevel, row.CellsPerLevel);
    }
    fs::current_path(previous);
    fs::remove_all(dir);
}

TEST_F(SkinsTest, ACycleOfTenSkinChangesCrossFadesEachBackgroundAndReturnsToSkinOne) {
    NewGameWithFakes();
    ASSERT_EQ(g.Screen, kPlayScreen);
    g.Level = 4;
    EXPECT_EQ(Backgrounds()[0].first, Bg(1));
    for (int s = 1; s <= 9; ++s) {
        EXPECT_EQ(g.SkinChangeLength, SkinTable(s).SkinChangeLength) << s;
        RunSkinChange(s, s + 1);
        EXPECT_EQ(g.Screen, kPlayScreen);
        EXPECT_EQ(g.SkinChangeFrame, 0);
    }
    EXPECT_EQ(g.SkinIndex, 0);               // skin 10 shows with SkinIndex 0
    g.SpawnDelay = 43, g.FallInterval = 31;  // as level-ups would leave them
    RunSkinChange(10, 1);
    ExpectSkinOnePace();
    EXPECT_EQ(g.NextSoundChannel, 0);
    EXPECT_EQ(g.Level, 4);  // a skin change keeps the level
    RunSkinChange(1, 2);
}

// What a new game resets is the golden replay's (it starts games after
// skins 2, 3 and 7); here the backgrounds the title and the new game show.
TEST_F(SkinsTest, NewGameAfterEscapeInSkinSixStartsInSkinOne) {
    NewGameWithFakes();
    for (int s = 1; s <= 5; ++s) FinishSkinChange(g);
    ASSERT_EQ(g.SkinIndex, 6);
    ResetToTitle(g);  // Escape
    ASSERT_EQ(g.Screen, kTitleScreen);
    EXPECT_EQ(Backgrounds()[0].first, Bg(6));  // the title keeps skin 6's background
    NewGame(g);
    ExpectSkinOnePace();
    EXPECT_EQ(g.OddSkinBackground, g.Backgrounds[0]);
    EXPECT_EQ(g.EvenSkinBackground, g.Backgrounds[1]);
    EXPECT_EQ(Backgrounds()[0].first, Bg(1));
}

}  // namespace
}  // namespace tuublark::testing
