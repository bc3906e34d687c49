// Headless simulation speed: a replay played as fast as the game code
// runs, in frames per second and as a multiple of real time.
//
//   sim_bench INPUT_FILE [FRAMES] [REPEATS]    (run from the build folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "engine/engine.h"
#include "engine/input/input_script.h"
#include "engine/input/keyboard.h"
#include "game/frame_loop.h"
#include "game/game_state.h"

int main(int argc, char** argv) {
    using namespace tuublark;
    TEngine engine;
    if (argc < 2) {
        std::fprintf(stderr, "usage: sim_bench INPUT_FILE [FRAMES] [REPEATS]\n");
        return 2;
    }
    int32_t frames = argc > 2 ? std::atoi(argv[2]) : 20000;
    int repeats = argc > 3 ? std::atoi(argv[3]) : 5;
    std::vector<double> rates;
    for (int run = 0; run < repeats; ++run) {
        TInputScript script;
        std::string error;
        if (!script.Load(argv[1], error)) {
            std::fprintf(stderr, "sim_bench: %s\n", error.c_str());
            return 2;
        }
        Keyboard().Flush();
        auto g = std::make_unique<GameState>();
        StartHeadlessGame(*g, argv[0], script.Seed().value_or(1));
        auto start = std::chrono::steady_clock::now();
        for (int32_t frame = 1; frame <= frames && !g->QuitRequested; ++frame) {
            script.ApplyFrame(frame, Keyboard());
            RunFrame(*g);
            PresentFrame();
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rates.push_back(frames / seconds);
    }
    std::sort(rates.begin(), rates.end());
    double median = rates[rates.size() / 2];
    std::printf("{\"sim_frames_per_s\":%.0f,\"sim_realtime_multiple\":%.0f}\n", median, median / 60.0);
    return 0;
}
