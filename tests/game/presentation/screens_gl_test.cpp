// The screens on real OpenGL (under a virtual X server): pixel probes on
// the read-back frame, and the frames saved as PNG under "screens/" in the
// build folder for a look.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"
#include "engine/image/draw.h"
#include "engine/image/pixmap.h"
#include "engine/platform/sdl_platform.h"
#include "engine/text/font.h"
#include "game/board/cells.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/new_game.h"
#include "game/options_screen.h"
#include "game/pause.h"
#include "game/presentation/menu_drawing.h"
#include "game/presentation/screens.h"
#include "game/presentation/skins.h"
#include "game/startup.h"
#include "game_in_play.h"

namespace tuublark::testing {
namespace {

struct Rgb {
    int R, G, B;
};

Rgb PixelAt(const TPixmap& p, int x, int y) {
    const uint8_t* px = p.Row(y) + x * BytesPerPixel(p.Format);
    return {px[0], px[1], px[2]};
}

int Difference(Rgb a, Rgb b) { return std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B); }

class ScreensGLTest : public ::testing::Test {
protected:
    static inline GameState* g = nullptr;
    static inline bool ready = false;

    static void SetUpTestSuite() {
        if (!std::getenv("DISPLAY")) return;
        std::string error;
        TPlatformOptions options;
        options.Windowed = true;
        options.KeyboardFromScript = true;
        if (!InstallSdlPlatform(options, error)) return;
        g = new GameState;
        StartUp(*g, 7);
        ready = true;
    }
    static void TearDownTestSuite() {
        if (!ready) return;
        delete g;
        g = nullptr;
        RenderDriver().CloseGraphics();
        ready = false;
    }
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        ASSERT_TRUE(ready) << "the display did not open";
        ASSERT_TRUE(g->Backgrounds[0] && g->AnimalAImage && g->GameFont)
            << "the generated assets are missing from the build folder";
        SetFont(g->GameFont);
    }

    static PixmapRef Grab() {
        PixmapRef shot = RenderDriver().GrabPixmap(0, 0, 800, 600);
        EXPECT_TRUE(shot);
        return shot ? ConvertPixmap(*shot, PixelFormatRGB888) : nullptr;
    }
    static void Save(const TPixmap& shot, const std::string& name) {
        std::filesystem::create_directories("screens");
        EXPECT_TRUE(SavePixmapPNG(shot, "screens/screen-" + name + ".png"));
    }
    // Ends the frame as the game does, so the next one starts cleared.
    static void EndFrame() { PresentFrame(); }

    // The centre of a picture's source pixels (what its centre shows).
    static Rgb SourceCentre(const ImageRef& image) {
        PixmapRef rgb = ConvertPixmap(*image->Pixmaps[0], PixelFormatRGB888);
        return PixelAt(*rgb, rgb->Width / 2, rgb->Height / 2);
    }

    static void SetUpGameInPlay() { testing::SetUpGameInPlay(*g); }
};

TEST_F(ScreensGLTest, TitleWithItsLetters) {
    // Title frames as the frame loop runs them, into the first pass until
    // all eight letters stand.
    g->Screen = kTitleScreen;
    g->SweepPosition = 0, g->SweepColumn = 0, g->SweepPassCount = 0, g->SweepSpeed = 2.0f;
    g->EffectList.Clear();
    for (int frame = 1; frame <= 200; ++frame) {
        UpdateTitleScreen(*g);
        AdvanceSweep(*g);
        if (frame < 200) EndFrame();
    }
    PixmapRef shot = Grab();
    ASSERT_TRUE(shot);
    Save(*shot, "title");
    // Each letter's centre shows its picture's centre (drawn solid).
    for (int i = 0; i < 8; ++i) {
        Rgb want = SourceCentre(g->TitleLetters[i]);
        Rgb got = PixelAt(*shot, 295 + 30 * i, 245);
        EXPECT_LE(Difference(want, got), 40) << "letter " << i + 1;
    }
    EndFrame();
}

TEST_F(ScreensGLTest, GameInPlayCellsAndSweepLine) {
    SetUpGameInPlay();
    DrawPlayScreen(*g);
    PixmapRef shot = Grab();
    ASSERT_TRUE(shot);
    Save(*shot, "play");

    // Cells at their centres show their pictures' centres.
    struct Probe {
        int c, r;
        ImageRef image;
    };
    for (const Probe& p : {Probe{1, 11, g->AnimalAImage}, Probe{0, 11, g->AnimalBImage}, Probe{13, 11, g->AnimalAImage},
                           Probe{3, 6, g->AnimalAImage}, Probe{4, 5, g->AnimalBImage}, Probe{7, 1, g->AnimalAImage}}) {
        Rgb want = SourceCentre(p.image);
        Rgb got = PixelAt(*shot, 175 + 30 * p.c, 125 + 30 * p.r);
        EXPECT_LE(Difference(want, got), 40) << "cell " << p.c << "," << p.r;
    }
    EndFrame();

    // The sweep line: the brightest new column, comparing with the line
    // elsewhere, is SweepPosition + 160.
    g->SweepPosition = 100.0f;
    DrawPlayScreen(*g);
    PixmapRef lineAt100 = Grab();
    EndFrame();
    g->SweepPosition = 300.0f;
    DrawPlayScreen(*g);
    PixmapRef lineAt300 = Grab();
    EndFrame();
    int brightest = 0, most = -1;
    for (int x = 400; x < 520; ++x) {
        int d = Difference(PixelAt(*lineAt300, x, 300), PixelAt(*lineAt100, x, 300));
        if (d > most) most = d, brightest = x;
    }
    EXPECT_GE(brightest, 460);
    EXPECT_LE(brightest, 461);
    Rgb line = PixelAt(*lineAt300, 460, 300);
    EXPECT_GE(line.R, 200);
    EXPECT_GE(line.G, 150);
}

TEST_F(ScreensGLTest, PanelNumbersEndAtX780) {
    SetUpGameInPlay();
    g->Score = 120034, g->HighScore = 10000, g->DeletedCount = 7;
    DrawBackdropAndPanel(*g);
    PixmapRef with = Grab();
    EndFrame();
    SetFont(std::make_shared<TImageFont>());  // a font without glyphs: no text
    DrawBackdropAndPanel(*g);
    PixmapRef without = Grab();
    EndFrame();
    SetFont(g->GameFont);
    ASSERT_TRUE(with && without);
    for (int y0 : {165, 235, 305, 375, 445}) {
        int left = 800, right = -1;
        for (int y = y0; y < y0 + 30; ++y)
            for (int x = 600; x < 800; ++x)
                if (Difference(PixelAt(*with, x, y), PixelAt(*without, x, y)) > 30)
                    left = std::min(left, x), right = std::max(right, x);
        ASSERT_GE(right, 0) << "no number at y " << y0;
        EXPECT_LE(right, 779) << "y " << y0;
        EXPECT_GE(right, 772) << "y " << y0;
    }
}

TEST_F(ScreensGLTest, SkinChangeHalfWay) {
    SetUpGameInPlay();
    BeginSkinChange(*g);
    ASSERT_EQ(g->Screen, kSkinChangeScreen);
    for (int frame = 1; frame <= 45; ++frame) {
        g->SkinChangeFrame += 1;
        DrawPlayScreen(*g);
        if (frame < 45) EndFrame();
    }
    PixmapRef shot = Grab();
    ASSERT_TRUE(shot);
    Save(*shot, "skin-change");
    EndFrame();
    // The same frame without the skin-up picture: away from the board and
    // the panel only the two backgrounds show, the old one at alpha 0.5
    // over the cleared frame, the new one at 0.5 over that.
    g->EffectList.Clear();
    DrawPlayScreen(*g);
    shot = Grab();
    ASSERT_TRUE(shot);
    PixmapRef bg1 = ConvertPixmap(*g->Backgrounds[0]->Pixmaps[0], PixelFormatRGB888);
    PixmapRef bg2 = ConvertPixmap(*g->Backgrounds[1]->Pixmaps[0], PixelFormatRGB888);
    const float a = static_cast<int>(0.5f * 255.0f) / 255.0f;
    for (auto [x, y] : {std::pair{20, 580}, std::pair{140, 560}, std::pair{600, 590}}) {
        Rgb old = PixelAt(*bg1, x, y), next = PixelAt(*bg2, x, y), got = PixelAt(*shot, x, y);
        Rgb want = {static_cast<int>(next.R * a + old.R * a * (1 - a)),
                    static_cast<int>(next.G * a + old.G * a * (1 - a)),
                    static_cast<int>(next.B * a + old.B * a * (1 - a))};
        EXPECT_LE(Difference(want, got), 12) << x << "," << y;
    }
    EndFrame();
    g->Screen = kPlayScreen;
}

TEST_F(ScreensGLTest, GameOver) {
    SetUpGameInPlay();
    DrawPlayScreen(*g);
    PixmapRef play = Grab();
    EndFrame();
    g->Screen = kGameOverScreen;
    DrawGameOverScreen(*g);
    PixmapRef shot = Grab();
    ASSERT_TRUE(shot && play);
    Save(*shot, "game-over");
    EXPECT_GT(Difference(PixelAt(*shot, 400, 320), PixelAt(*play, 400, 320)), 30);
    // The board stays visible around the picture.
    EXPECT_LE(Difference(PixelAt(*shot, 175, 455), PixelAt(*play, 175, 455)), 6);
    EndFrame();
    g->Screen = kPlayScreen;
}

TEST_F(ScreensGLTest, PauseShowsTheLastFrameDimmedAndLeavesTheDrawingStateAlone) {
    SetUpGameInPlay();
    DrawPlayScreen(*g);
    PixmapRef still = Grab();
    ASSERT_TRUE(still);
    EndFrame();
    SetBlendMode(BlendAdditive);
    SetDrawColor(10, 20, 30);
    SetDrawAlpha(0.25f);
    SetRotationAndScale(30, 2, 2);
    TDrawingSnapshot before = SaveDrawing();
    TMenuDrawing menu(still);
    DrawPauseMenu(menu);
    PixmapRef shot = Grab();
    ASSERT_TRUE(shot);
    Save(*shot, "paused");
    menu.End();
    // The board shows through, darker; the words are bright.
    Rgb was = PixelAt(*still, 190, 455), now = PixelAt(*shot, 190, 455);
    EXPECT_LT(now.R + now.G + now.B, (was.R + was.G + was.B) / 2);
    EXPECT_GT(now.R + now.G + now.B, 0);
    int bright = 0;
    for (int x = 300; x < 500; ++x) bright += PixelAt(*shot, x, 262).R > 200;
    EXPECT_GT(bright, 10) << "no PAUSED";
    TDrawingSnapshot after = SaveDrawing();
    EXPECT_EQ(std::memcmp(&before.State, &after.State, sizeof before.State), 0);
    EXPECT_EQ(after.R + after.G + after.B, 60);
    EXPECT_EQ(Graphics().Ix, after.State.ScaleX * std::cos(30 * 3.14159265358979323846f / 180));
    ResetDrawingState(800, 600);
    SetAutoMidHandle(1);
}

TEST_F(ScreensGLTest, OptionsScreenOverTheTitle) {
    g->Screen = kTitleScreen;
    UpdateTitleScreen(*g);
    PixmapRef still = Grab();
    ASSERT_TRUE(still);
    EndFrame();
    TMenuDrawing menu(still);
    TOptionsView view;
    view.Chosen = kFirstKeyLine + 4;
    view.WaitingForKey = true;
    view.Settings.MusicVolume = 60;
    DrawOptionsMenu(menu, view);
    PixmapRef shot = Grab();
    ASSERT_TRUE(shot);
    Save(*shot, "options");
    menu.End();
    // The chosen line is lit: yellow text on its row, white on the others.
    auto yellow = [&](int y) {
        int n = 0;
        for (int x = 250; x < 550; ++x) {
            Rgb p = PixelAt(*shot, x, y);
            n += p.R > 200 && p.G > 150 && p.B < 120;
        }
        return n;
    };
    EXPECT_GT(yellow(95 + 31 * view.Chosen + 12), 10);
    EXPECT_EQ(yellow(95 + 12), 0);
    ResetDrawingState(800, 600);
    SetAutoMidHandle(1);
}

}  // namespace
}  // namespace tuublark::testing
