// The frame trace: one JSON object per frame with the game state, written
// after the sweep of the frame and before it is presented.
#pragma once

#include <cstdint>
#include <string>

namespace tuublark {

struct GameState;

// One line (without the newline) for frame `frame`.
std::string TraceLine(const GameState& g, int32_t frame);

}  // namespace tuublark
