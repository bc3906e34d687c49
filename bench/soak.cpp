// A long headless game played by the built-in player: every skin and every
// skin change, again and again (it reaches skin 10 near frame 11,000 and
// plays on). Reports memory and the effect lists' sizes; with --check it
// fails when the lists or the memory grow without bound.
//
//   soak [--frames N] [--seed N] [--check]      (run from the build folder)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_support.h"
#include "engine/engine.h"
#include "engine/input/keyboard.h"
#include "game/autoplay/autoplayer.h"
#include "game/frame_loop.h"
#include "game/game_state.h"

int main(int argc, char** argv) {
    using namespace tuublark;
    TEngine engine;
    int32_t frames = 216000;  // one hour at 60 frames per second
    uint32_t seed = 1;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) frames = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) seed = static_cast<uint32_t>(std::atol(argv[++i]));
        else if (!std::strcmp(argv[i], "--check")) check = true;
    }
    auto g = std::make_unique<GameState>();
    StartHeadlessGame(*g, argv[0], static_cast<int32_t>(seed));
    TAutoPlayer player;
    size_t maxEffects = 0, maxPopups = 0;
    int32_t games = 0, skinChanges = 0, gameOvers = 0, previousScreen = g->Screen, bestLevel = 0;
    bool skinsSeen[10] = {};
    double rssAtTenMinutes = 0;
    for (int32_t frame = 1; frame <= frames; ++frame) {
        player.Play(*g, Keyboard());
        RunFrame(*g);
        PresentFrame();
        if (g->Screen != previousScreen) {
            games += g->Screen == 2 && previousScreen == 1;
            skinChanges += g->Screen == 4;
            gameOvers += g->Screen == 3;
            previousScreen = g->Screen;
        }
        if (g->Level > bestLevel) bestLevel = g->Level;
        if (g->Screen == kPlayScreen) skinsSeen[g->SkinIndex % 10] = true;
        if (g->EffectList.Count() > maxEffects) maxEffects = g->EffectList.Count();
        if (g->PopupList.Count() > maxPopups) maxPopups = g->PopupList.Count();
        if (frame == 36000) rssAtTenMinutes = ResidentMiB();
    }
    double rssAtEnd = ResidentMiB();
    int32_t skins = 0;
    for (bool seen : skinsSeen) skins += seen;
    double growth = rssAtTenMinutes > 0 ? rssAtEnd - rssAtTenMinutes : 0.0;
    std::printf(
        "{\"frames\":%d,\"games\":%d,\"game_overs\":%d,\"skins_played\":%d,\"skin_changes\":%d,\"best_level\":%d,"
        "\"max_effects\":%zu,\"max_popups\":%zu,\"peak_rss_mb\":%.1f,\"rss_growth_mb\":%.2f}\n",
        frames, games, gameOvers, skins, skinChanges, bestLevel, maxEffects, maxPopups, PeakResidentMiB(), growth);
    if (check) {
        // Every effect lives at most 720 frames and the board holds 192
        // cells, so a few thousand live effects is far beyond any real game.
        bool bounded = maxEffects < 5000 && maxPopups < 500;
        bool flat = growth < 1.0;
        if (!bounded || !flat) {
            std::fprintf(stderr, "soak: %s\n", !bounded ? "effect lists grew without bound" : "memory grew");
            return 1;
        }
    }
    return 0;
}
