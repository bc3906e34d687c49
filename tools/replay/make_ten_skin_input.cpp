// Plays the ten-skin golden game and writes its keys as a replay input
// file: the built-in player starts a game from the title, plays it through
// all ten skins and on in skin 10 for a while, then gives up (drops every
// piece where it enters) until the game is over; the title follows.
// Prints the frame each skin began and, last, "frames N": the frames the
// replay runs.
//
// usage: make_ten_skin_input OUTPUT [SEED [SKIN10_FRAMES]]
// Run it from the build folder, as the replay test runs the game.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/engine.h"
#include "engine/input/input_script.h"
#include "engine/input/keyboard.h"
#include "game/autoplay/autoplayer.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/startup.h"

int main(int argc, char** argv) {
    using namespace tuublark;
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_ten_skin_input OUTPUT [SEED [SKIN10_FRAMES]]\n");
        return 2;
    }
    const int32_t seed = argc > 2 ? std::atoi(argv[2]) : 20261;
    const int32_t skinTenFrames = argc > 3 ? std::atoi(argv[3]) : 1500;
    TEngine engine;  // headless drivers
    auto g = std::make_unique<GameState>();
    StartUp(*g, seed);
    TInputRecorder recorder;
    std::string error;
    if (!recorder.Open(argv[1], seed, std::nullopt, error)) {
        std::fprintf(stderr, "make_ten_skin_input: %s\n", error.c_str());
        return 1;
    }
    int32_t frame = 0;
    Keyboard().SetListener([&](bool down, int key) { recorder.Record(frame, down, key); });
    TAutoPlayer player;
    int32_t skin = 0, skinTenAt = 0, overAt = 0;
    // Generous: the player reaches skin 10 near frame 11,000.
    for (frame = 1; frame <= 100000; ++frame) {
        player.Play(*g, Keyboard());
        RunFrame(*g);
        PresentFrame();
        if (g->Screen == kPlayScreen && (g->SkinIndex == 0 ? 10 : g->SkinIndex) != skin) {
            skin = g->SkinIndex == 0 ? 10 : g->SkinIndex;
            std::printf("frame %6d: skin %d, level %d\n", frame, skin, g->Level);
            if (skin == 10 && !skinTenAt) skinTenAt = frame;
        }
        if (skinTenAt && frame == skinTenAt + skinTenFrames) player.GiveUp();
        if (skinTenAt && !overAt && g->Screen == kGameOverScreen) {
            overAt = frame;
            std::printf("frame %6d: game over, level %d, score %d\n", frame, g->Level, g->Score);
        }
        // Back on the title, for a little less than the player waits there.
        if (overAt && frame == overAt + kGameOverFrames + TAutoPlayer::kTitleFrames / 2) break;
    }
    if (!overAt) {
        std::fprintf(stderr, "make_ten_skin_input: the game did not end\n");
        return 1;
    }
    Keyboard().SetListener(nullptr);
    std::printf("frames %d\n", frame);
    return recorder.Failed() ? 1 : 0;
}
