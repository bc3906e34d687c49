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

void TRandomPlayer::Play(const GameState& g, KeyboardState& keyboard) {
    // Let go of last frame's taps.
    for (int key : {VkSpace, VkA, VkS, VkEscape, VkUp}) keyboard.Release(key);
    if (heldKey_ && --holdFrames_ <= 0) {
        keyboard.Release(heldKey_);
        heldKey_ = 0;
    }
    switch (g.Screen) {
        case 1:
            if (Roll(60) == 0) keyboard.Press(VkSpace);
            break;
        case 2:
        case 4:
            if (Roll(30000) == 0) {
                keyboard.Press(VkEscape);
                ++escapes_;
                break;
            }
            if (!heldKey_ && Roll(6) == 0) {
                const int keys[] = {VkLeft, VkRight, VkDown};
                heldKey_ = keys[Roll(3)];
                holdFrames_ = 1 + Roll(heldKey_ == VkDown ? 25 : 12);
                keyboard.Press(heldKey_);
            }
            if (Roll(20) == 0) keyboard.Press(Roll(2) ? VkA : VkS);
            if (Roll(90) == 0) keyboard.Press(VkUp);
            break;
        default: break;
    }
}

}  // namespace tuublark
