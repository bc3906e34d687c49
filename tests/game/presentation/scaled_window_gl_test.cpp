// The game's 800x600 picture scaled into windows of other sizes, with its
// aspect kept: probes on the whole window as it is shown, bars included.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <filesystem>

#include "engine/display/render_driver.h"
#include "engine/image/pixmap.h"
#include "engine/platform/gl_render_driver.h"
#include "engine/platform/sdl_platform.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/new_game.h"
#include "game/presentation/screens.h"
#include "game/startup.h"

namespace tuublark {
namespace {

int Sum(const TPixmap& p, int x, int y) {
    const uint8_t* px = p.Row(y) + x * BytesPerPixel(p.Format);
    return px[0] + px[1] + px[2];
}

TEST(ScaledWindow, ThePictureFillsTheLargestFourByThreeAreaWithBarsAround) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    TPlatformOptions options;
    options.Windowed = true;
    options.KeyboardFromScript = true;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    options.WindowWidth = 1600;
    options.WindowHeight = 1200;
    std::string error;
    ASSERT_TRUE(InstallSdlPlatform(options, error)) << error;
    auto g = std::make_unique<GameState>();
    StartUp(*g, 7);
    auto* driver = dynamic_cast<TGLRenderDriver*>(&RenderDriver());
    ASSERT_TRUE(driver && driver->DrawsOffscreen()) << "no offscreen target";
    NewGame(*g);
    for (int c = 0; c < 16; ++c) g->Board[c][11] = 1 + c % 2, g->Board[c][0] = 1 + c % 2;

    struct Size {
        int W, H;
        int PictureX, PictureY, PictureW, PictureH;  // where the picture must be
    } sizes[] = {
        {1600, 1200, 0, 0, 1600, 1200},
        {1024, 768, 0, 0, 1024, 768},
        {1280, 720, 160, 0, 960, 720},  // bars left and right
        {800, 900, 0, 150, 800, 600},   // bars above and below
    };
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    ASSERT_NE(window, nullptr);
    for (const Size& s : sizes) {
        SDL_SetWindowSize(window, s.W, s.H);
        for (int i = 0; i < 3; ++i) {  // let the window system carry it out
            SDL_PumpEvents();
            SDL_Delay(50);
        }
        DrawPlayScreen(*g);
        PixmapRef picture = RenderDriver().GrabPixmap(0, 0, 800, 600);
        PixmapRef shown = driver->GrabWindow();
        PresentFrame();
        ASSERT_TRUE(picture && shown);
        EXPECT_EQ(picture->Width, 800);
        ASSERT_EQ(shown->Width, s.W);
        ASSERT_EQ(shown->Height, s.H);
        std::filesystem::create_directories("screens");
        SavePixmapPNG(*shown, "screens/window-" + std::to_string(s.W) + "x" + std::to_string(s.H) + ".png");
        // The bars are black, the picture's corners are not.
        if (s.PictureX > 0) {
            EXPECT_EQ(Sum(*shown, s.PictureX / 2, s.H / 2), 0);
            EXPECT_EQ(Sum(*shown, s.W - 1 - s.PictureX / 2, s.H / 2), 0);
        }
        if (s.PictureY > 0) {
            EXPECT_EQ(Sum(*shown, s.W / 2, s.PictureY / 2), 0);
            EXPECT_EQ(Sum(*shown, s.W / 2, s.H - 1 - s.PictureY / 2), 0);
        }
        for (auto [x, y] : {std::pair{2, 2}, {797, 2}, {2, 597}, {797, 597}})
            EXPECT_GT(Sum(*shown, s.PictureX + x * s.PictureW / 800, s.PictureY + y * s.PictureH / 600), 20)
                << s.W << "x" << s.H << " at " << x << "," << y;
        // The whole board: the first and last cells of the top and bottom
        // rows show what the 800x600 picture shows there.
        for (auto [c, r] : {std::pair{0, 0}, {15, 0}, {0, 11}, {15, 11}, {7, 5}}) {
            int x = 175 + 30 * c, y = 125 + 30 * r;
            int want = Sum(*picture, x, y);
            int got = Sum(*shown, s.PictureX + x * s.PictureW / 800, s.PictureY + y * s.PictureH / 600);
            EXPECT_NEAR(got, want, 40) << s.W << "x" << s.H << " cell " << c << "," << r;
        }
    }
    RenderDriver().CloseGraphics();
}

}  // namespace
}  // namespace tuublark
