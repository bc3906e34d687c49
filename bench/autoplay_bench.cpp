// The built-in player's strength and speed: one headless game per seed,
// played as `tuublark --headless --autoplay --seed N` plays it, up to a cap
// of frames. Prints, per seed, the frame each skin began and the frame and
// level where the game ended (or the cap), then one JSON line: how long a
// decision takes (median and worst), how many games reached skin 10 and
// the median frame they reached it. A decision is timed in the thread's
// CPU time, three times on the same view (the player's own and two repeats
// of the same choice), and the least is kept: so neither other programs nor
// the virtual machine's stolen time count. The wall-clock worst of the
// player's own decisions is printed beside it.
//
//   autoplay_bench [--seeds FIRST LAST] [--cap FRAMES]   (run from the build folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "bench/bench_support.h"
#include "engine/engine.h"
#include "engine/input/keyboard.h"
#include "game/autoplay/autoplayer.h"
#include "game/autoplay/planner.h"
#include "game/autoplay/view.h"
#include "game/frame_loop.h"
#include "game/game_state.h"

namespace {

using namespace tuublark;

struct TGame {
    int32_t SkinStart[11] = {};  // frame each skin 1..10 began, 0 = never
    int32_t EndFrame = 0;        // 0: the cap came first
    int32_t EndLevel = 0;
};

double ThreadMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

TGame PlayOne(const char* argv0, int32_t seed, int32_t cap, std::vector<double>& decisionMicros,
              std::vector<double>& wallMicros) {
    TEngine engine;
    auto g = std::make_unique<GameState>();
    StartHeadlessGame(*g, argv0, seed);
    TAutoPlayer player;
    TPlanner repeat;
    TGame game;
    int32_t skin = 0;
    for (int32_t frame = 1; frame <= cap; ++frame) {
        const int32_t before = player.Decisions();
        auto start = std::chrono::steady_clock::now();
        double cpuStart = ThreadMicros();
        player.Play(*g, Keyboard());
        double cpu = ThreadMicros() - cpuStart;
        auto end = std::chrono::steady_clock::now();
        if (player.Decisions() != before) {
            for (int i = 0; i < 2; ++i) {
                double again = ThreadMicros();
                repeat.Choose(SeeGame(*g));
                cpu = std::min(cpu, ThreadMicros() - again);
            }
            decisionMicros.push_back(cpu);
            wallMicros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        RunFrame(*g);
        PresentFrame();
        if (g->Screen == kPlayScreen) {
            // SkinIndex 0 in play is skin 10.
            int32_t now = g->SkinIndex == 0 ? 10 : g->SkinIndex;
            if (now != skin) {
                skin = now;
                if (!game.SkinStart[skin]) game.SkinStart[skin] = frame;
            }
        }
        if (g->Screen == kGameOverScreen) {
            game.EndFrame = frame;
            game.EndLevel = g->Level;
            break;
        }
        if (frame == cap) game.EndLevel = g->Level;
    }
    return game;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * (values.size() - 1) + 0.5)];
}

}  // namespace

int main(int argc, char** argv) {
    int32_t first = 1, last = 20, cap = 150000;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--seeds") && i + 2 < argc) {
            first = std::atoi(argv[++i]);
            last = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--cap") && i + 1 < argc) {
            cap = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: autoplay_bench [--seeds FIRST LAST] [--cap FRAMES]\n");
            return 2;
        }
    }
    std::vector<double> micros, wall;
    std::vector<double> toSkin10;
    std::fprintf(stderr, "seed  skin starts (frames, skins 1-10)                                          end\n");
    for (int32_t seed = first; seed <= last; ++seed) {
        TGame game = PlayOne(argv[0], seed, cap, micros, wall);
        std::fprintf(stderr, "%4d ", seed);
        for (int s = 1; s <= 10; ++s) std::fprintf(stderr, " %6d", game.SkinStart[s]);
        if (game.EndFrame) std::fprintf(stderr, "  game over at %d, level %d\n", game.EndFrame, game.EndLevel);
        else std::fprintf(stderr, "  cap %d reached, level %d\n", cap, game.EndLevel);
        if (game.SkinStart[10]) toSkin10.push_back(game.SkinStart[10]);
    }
    std::printf(
        "{\"autoplay_decision_us_median\":%.1f,\"autoplay_decision_us_max\":%.1f,\"autoplay_decisions\":%zu,"
        "\"autoplay_decision_us_p99\":%.1f,\"autoplay_decision_wall_us_max\":%.1f,"
        "\"autoplay_skin10_of_20\":%zu,\"autoplay_games\":%d,\"autoplay_median_frames_to_skin10\":%.0f}\n",
        Percentile(micros, 0.5), Percentile(micros, 1.0), micros.size(), Percentile(micros, 0.99),
        Percentile(wall, 1.0), toSkin10.size(), last - first + 1, Percentile(toSkin10, 0.5));
    return 0;
}
