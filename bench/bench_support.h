// Shared pieces of the benchmark programs: headless start-up from the
// build folder's assets, memory readings, and game-like random keys.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace tuublark {

struct GameState;
class KeyboardState;

// The data folder of the executable, and start-up in the current engine.
void StartHeadlessGame(GameState& g, const char* argv0, int32_t seed);

// Resident and peak resident memory of this process, in MiB.
double ResidentMiB();
double PeakResidentMiB();

// Plays like a restless player: starts games, moves, rotates and drops
// pieces, now and then leaves a game with Escape.
class TRandomPlayer {
public:
    explicit TRandomPlayer(uint32_t seed) : random_(seed) {}
    // Presses and releases keys for the frame about to run.
    void Play(const GameState& g, KeyboardState& keyboard);
    int32_t Escapes() const { return escapes_; }

private:
    int Roll(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }
    std::mt19937 random_;
    int heldKey_ = 0;
    int holdFrames_ = 0;
    int32_t escapes_ = 0;
};

}  // namespace tuublark
