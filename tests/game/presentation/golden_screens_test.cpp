// Golden screens: chosen frames of the golden replay (tests/replays), drawn
// by the game's own render driver as a replay draws them, each compared
// with its picture in tests/screens. A pixel differs when a colour channel
// is off by more than kTolerance; a frame fails with more than
// kAllowedPixels such pixels, and then the frame drawn and a picture of the
// differences are written to golden-screens/ in the build folder.
//
// TUUBLARK_GAME_OPTIONS holds game options (such as the render driver) the
// platform is installed with, as the game installs it from its command
// line. TUUBLARK_REGENERATE_SCREENS=1 rewrites the goldens instead
// (tests/screens/regenerate.sh).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>

#include "engine/audio/sound.h"
#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"
#include "engine/image/draw.h"
#include "engine/image/pixmap.h"
#include "engine/input/input_script.h"
#include "engine/input/keyboard.h"
#include "engine/input/system_driver.h"
#include "game/frame_loop.h"
#include "game/game_platform.h"
#include "game/game_state.h"
#include "game/options_screen.h"
#include "game/pause.h"
#include "game/presentation/menu_drawing.h"
#include "game/startup.h"

namespace tuublark::testing {
namespace {

constexpr int kTolerance = 16;
constexpr long kAllowedPixels = 40;
const std::string kGoldenDir = TUUBLARK_SOURCE_DIR "/tests/screens/";
const std::string kReplayInput = TUUBLARK_SOURCE_DIR "/tests/replays/golden-input.txt";

// "" when `frame` matches the golden picture `name`, else what differs.
std::string CompareWithGolden(const PixmapRef& frame, const std::string& name) {
    if (!frame) return name + ": the render driver gave no picture";
    PixmapRef shot = ConvertPixmap(*frame, PixelFormatRGB888);
    const std::string golden = kGoldenDir + name + ".png";
    if (std::getenv("TUUBLARK_REGENERATE_SCREENS"))
        return SavePixmapPNG(*shot, golden) ? "" : golden + ": cannot write";
    PixmapRef loaded = LoadPixmap(golden);
    if (!loaded) return golden + ": missing or unreadable (tests/screens/regenerate.sh writes it)";
    PixmapRef want = ConvertPixmap(*loaded, PixelFormatRGB888);
    std::ostringstream message;
    message << name << ": ";
    long over = 0;
    PixmapRef diff = CreatePixmap(shot->Width, shot->Height, PixelFormatRGB888);
    if (want->Width != shot->Width || want->Height != shot->Height) {
        message << want->Width << "x" << want->Height << " expected, " << shot->Width << "x" << shot->Height;
        over = -1;
    } else {
        // Differing pixels red, the rest the golden dimmed to a quarter.
        for (int32_t y = 0; y < shot->Height; ++y) {
            const uint8_t *a = want->Row(y), *b = shot->Row(y);
            uint8_t* d = diff->Row(y);
            for (int32_t i = 0; i < 3 * shot->Width; i += 3) {
                int most = 0;
                for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(a[i + c] - b[i + c]));
                over += most > kTolerance;
                for (int c = 0; c < 3; ++c) d[i + c] = most > kTolerance ? (c == 0 ? 255 : 0) : a[i + c] / 4;
            }
        }
        if (over <= kAllowedPixels) return "";
        message << over << " pixels differ by more than " << kTolerance << " (at most " << kAllowedPixels << " may)";
    }
    std::filesystem::create_directories("golden-screens");
    const std::string base = std::filesystem::absolute("golden-screens/" + name).string();
    SavePixmapPNG(*shot, base + "-actual.png");
    if (over > 0) SavePixmapPNG(*diff, base + "-diff.png");
    message << "; drawn: " << base << "-actual.png" << (over > 0 ? ", differences: " + base + "-diff.png" : "")
            << ", expected: " << golden;
    return message.str();
}

class GoldenScreens : public ::testing::Test {
protected:
    std::unique_ptr<GameState> g;
    TInputScript script;
    int32_t frame = 0;

    // The game's platform in a window of `width` x `height`, unpaced, for a
    // replay of the golden input or (`replay` false) a game no key reaches.
    // False when it cannot open.
    bool Open(int32_t width, int32_t height, bool replay) {
        if (!std::getenv("DISPLAY")) {
            ADD_FAILURE() << "no X display";
            return false;
        }
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        std::vector<std::string> args = {"--windowed", "--input", kReplayInput};
        std::istringstream extra(std::getenv("TUUBLARK_GAME_OPTIONS") ? std::getenv("TUUBLARK_GAME_OPTIONS") : "");
        for (std::string word; extra >> word;) args.push_back(word);
        CommandLine options;
        std::string error;
        TSettings settings;
        settings.FullScreen = false;
        settings.WindowWidth = width, settings.WindowHeight = height;
        bool ready = ParseCommandLine(args, options, error) && InstallGamePlatform(options, settings, error) &&
                     (!replay || script.Load(kReplayInput, error));
        EXPECT_TRUE(ready) << error;
        if (!ready) return false;
        g = std::make_unique<GameState>();
        StartUp(*g, script.Seed().value_or(7));
        Graphics().Pacing.PacingOn = 0;
        RenderDriver().SetSwapInterval(0);
        EXPECT_TRUE(g->Backgrounds[0] && g->GameFont) << "the generated assets are missing from the build folder";
        return g->Backgrounds[0] && g->GameFont;
    }
    void TearDown() override {
        g.reset();
        RenderDriver().CloseGraphics();
    }

    // Runs the replay's frames as the game does, up to `last`, drawn but
    // not presented: a frame is read back before it is shown, and showing
    // them all would take most of the test's time.
    void RunTo(int32_t last) {
        while (frame < last) {
            if (frame > 0) ClearScreen();
            frame += 1;
            SystemDriver().BeginFrame(frame);
            BeginAudioFrame(FrameLatenessSeconds());
            script.ApplyFrame(frame, Keyboard());
            RunFrame(*g);
        }
    }
    static PixmapRef Grab() { return RenderDriver().GrabPixmap(0, 0, 800, 600); }
};

TEST_F(GoldenScreens, FramesOfTheGoldenReplay) {
    if (!Open(800, 600, true)) return;
    // The frame of each picture; the replay's trace names the screen, skin
    // and sweep speed (a 2 px line up to speed 2, 3 px above).
    const std::pair<int32_t, const char*> shots[] = {
        {903, "play-skin1-clearing"},   // marked, lit and loose squares, popup, sparks, 2 px line
        {1057, "skin-change-early"},    // the skin-up picture large and bright
        {1094, "skin-change-late"},     // faded, the backgrounds crossing
        {1268, "play-skin2-effects"},   // many effects, two popups, 3 px line
        {1800, "game-over"},            //
        {2000, "title-after-a-game"},   // the high score, letters arriving
        {4655, "play-skin3-clearing"},  // a clearing group at the right
    };
    std::vector<std::string> failures;
    for (const auto& [at, name] : shots) {
        RunTo(at);
        PixmapRef still = Grab();
        failures.push_back(CompareWithGolden(still, name));
        if (at == 903 || at == 2000) {
            // Pause in play, the options over the title: the menus over
            // this frame, as the game shows them after presenting it.
            PresentFrame();
            TDrawingSnapshot before = SaveDrawing();
            TMenuDrawing menu(still);
            if (at == 903) {
                DrawPauseMenu(menu);
            } else {
                TOptionsView view;
                view.Chosen = kFirstKeyLine + 4;
                view.WaitingForKey = true;
                DrawOptionsMenu(menu, view);
            }
            failures.push_back(CompareWithGolden(Grab(), at == 903 ? "paused" : "options"));
            menu.End();
            TDrawingSnapshot after = SaveDrawing();
            EXPECT_EQ(std::memcmp(&before.State, &after.State, sizeof before.State), 0) << "the menu's drawing state";
        }
    }
    for (const std::string& failure : failures) EXPECT_EQ(failure, "");
}

TEST_F(GoldenScreens, TitleAnimationAndAScaledWindow) {
    // The title's passes with no key pressed: the letters fly out in the
    // first, stand through the next two and light up and burst in the
    // fourth; the window is of another shape, the picture scaled down with
    // bars above and below.
    if (!Open(640, 540, false)) return;
    std::vector<std::string> failures;
    for (const auto& [at, name] :
         {std::pair{150, "title-letters-flying"}, {600, "title-letters-standing"}, {912, "title-letters-burst"}}) {
        RunTo(at);
        failures.push_back(CompareWithGolden(Grab(), name));
        if (at == 600) {
            RunTo(860);
            PixmapRef window = RenderDriver().GrabWindow();
            ASSERT_TRUE(window) << "the render driver has no window to read back";
            failures.push_back(CompareWithGolden(window, "window-640x540-title-lit"));
        }
    }
    for (const std::string& failure : failures) EXPECT_EQ(failure, "");
}

}  // namespace
}  // namespace tuublark::testing
