// Start-up: the record's containers, the display, the random seed, every
// picture, the font, the channels and sounds, and the start-up values.
#pragma once

#include <cstdint>
#include <optional>

namespace tuublark {

struct GameState;

// Runs after the engine's drivers are chosen. Without a seed the random
// generator is seeded from the millisecond clock. Returns the seed used.
int32_t StartUp(GameState& g, std::optional<int32_t> seed);

// The two music channels and the four effect channels, in the order the
// sweep's alternation and the effects' rotation rely on.
void AllocGameChannels(GameState& g);

// The record as StartUp leaves it, without the display, assets, sounds or
// seed: empty containers and the start-up values. Tests start from here.
void ResetGameState(GameState& g);

}  // namespace tuublark
