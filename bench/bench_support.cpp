#include "bench/bench_support.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include "engine/audio/sound.h"
#include "engine/display/render_driver.h"
#include "engine/input/keyboard.h"
#include "engine/input/system_driver.h"
#include "engine/runtime/filesystem.h"
#include "game/game_state.h"
#include "game/startup.h"

namespace tuublark {
namespace {

double StatusField(const char* name) {
    std::ifstream in("/proc/self/status");
    std::string line;
    size_t length = std::strlen(name);
    while (std::getline(in, line))
        if (line.compare(0, length, name) == 0) return std::stod(line.substr(length + 1)) / 1024.0;
    return 0.0;
}

}  // namespace

void StartHeadlessGame(GameState& g, const char* argv0, int32_t seed) {
    // The program's engine keeps its headless drivers.
    InitDataFolder(argv0);
    StartUp(g, seed);
}

double ResidentMiB() { return StatusField("VmRSS"); }
double PeakResidentMiB() { return StatusField("VmHWM"); }

}  // namespace tuublark
