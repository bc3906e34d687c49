// The OpenGL ES 2.0 render driver draws what the OpenGL 1.1 driver draws:
// every screen, play in each of the ten skins, drawn by both (under a
// virtual X server) and compared pixel by pixel. Both frames of each
// screen are saved under "screens/drivers/" in the build folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"
#include "engine/engine.h"
#include "engine/image/pixmap.h"
#include "engine/platform/sdl_platform.h"
#include "engine/text/font.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/options_screen.h"
#include "game/pause.h"
#include "game/presentation/menu_drawing.h"
#include "game/presentation/screens.h"
#include "game/startup.h"
#include "game_in_play.h"

namespace tuublark::testing {
namespace {

using TShots = std::vector<std::pair<std::string, PixmapRef>>;

// Each screen as the game draws it, in an engine of its own whose display
// is drawn by the chosen driver.
TShots DrawEveryScreen(bool gles2) {
    TShots shots;
    TEngine engine;
    TPlatformOptions options;
    options.Windowed = true;
    options.KeyboardFromScript = true;
    options.OpenGLES2 = gles2;
    std::string error;
    if (!InstallSdlPlatform(options, error)) {
        ADD_FAILURE() << error;
        return shots;
    }
    auto g = std::make_unique<GameState>();
    StartUp(*g, 7);
    if (!g->Backgrounds[0] || !g->GameFont) {
        ADD_FAILURE() << "the generated assets are missing from the build folder";
        return shots;
    }
    Graphics().Pacing.PacingOn = 0;  // as fast as frames come
    RenderDriver().SetSwapInterval(0);
    SetFont(g->GameFont);
    auto grab = [&](const std::string& name) { shots.push_back({name, RenderDriver().GrabPixmap(0, 0, 800, 600)}); };

    g->Screen = kTitleScreen;  // until all eight letters stand
    for (int frame = 1; frame <= 200; ++frame) {
        UpdateTitleScreen(*g);
        AdvanceSweep(*g);
        if (frame < 200) PresentFrame();
    }
    grab("title");
    PresentFrame();
    TMenuDrawing menu(shots.back().second);
    TOptionsView view;
    view.Chosen = kFirstKeyLine + 4;
    DrawOptionsMenu(menu, view);
    grab("options");
    menu.End();

    SetUpGameInPlay(*g);
    for (int skin = 1; skin <= 10; ++skin) {
        g->SweepPosition = 300.0f;
        DrawPlayScreen(*g);
        grab("play-skin-" + std::to_string(skin));
        PresentFrame();
        BeginSkinChange(*g);
        for (g->SkinChangeFrame = 1; skin == 1 && g->SkinChangeFrame <= 45; ++g->SkinChangeFrame) {
            DrawPlayScreen(*g);
            if (g->SkinChangeFrame == 45) grab("skin-change");
            PresentFrame();
        }
        FinishSkinChange(*g);
    }
    DrawPlayScreen(*g);
    PixmapRef still = RenderDriver().GrabPixmap(0, 0, 800, 600);
    PresentFrame();
    TMenuDrawing pause(still);
    DrawPauseMenu(pause);
    grab("pause");
    pause.End();
    g->Screen = kGameOverScreen;
    DrawGameOverScreen(*g);
    grab("game-over");
    PresentFrame();
    RenderDriver().CloseGraphics();
    return shots;
}

TEST(RenderDrivers, EveryScreenDrawnByOpenGLES2MatchesOpenGL11) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const TShots gl = DrawEveryScreen(false), gles2 = DrawEveryScreen(true);
    ASSERT_EQ(gl.size(), 15u);
    ASSERT_EQ(gles2.size(), gl.size());
    std::filesystem::create_directories("screens/drivers");
    const int kTolerance = 8;
    const long kAllowed = 800 * 600 / 1000;  // 0.1% of the pixels
    for (size_t i = 0; i < gl.size(); ++i) {
        const std::string& name = gl[i].first;
        ASSERT_TRUE(gl[i].second && gles2[i].second) << name;
        const TPixmap &a = *gl[i].second, &b = *gles2[i].second;
        SavePixmapPNG(a, "screens/drivers/" + name + "-gl.png");
        SavePixmapPNG(b, "screens/drivers/" + name + "-gles2.png");
        ASSERT_EQ(a.Width, b.Width);
        ASSERT_EQ(a.Height, b.Height);
        int largest = 0;
        long over = 0;
        for (int32_t y = 0; y < a.Height; ++y)
            for (int32_t x = 0; x < a.Width; ++x) {
                int pixel = 0;
                for (int c = 0; c < 3; ++c)
                    pixel = std::max(pixel, std::abs(a.Row(y)[3 * x + c] - b.Row(y)[3 * x + c]));
                largest = std::max(largest, pixel);
                over += pixel > kTolerance;
            }
        std::printf("%-14s largest channel difference %3d; %ld pixels over %d\n", name.c_str(), largest, over,
                    kTolerance);
        EXPECT_LE(over, kAllowed) << name << ": largest channel difference " << largest;
    }
}

}  // namespace
}  // namespace tuublark::testing
