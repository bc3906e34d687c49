// What the built-in player sees of a game: what a person sees on the
// screen (the board, the piece, the queue, the sweep line and the level),
// and nothing of the game's clocks, counters or random state.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_state.h"

namespace tuublark {

struct TView {
    int32_t Screen = 0;
    int32_t Board[kBoardColumns][kBoardRows] = {};  // cell codes as drawn, Board[column][row]
    // The piece's four cells (top-left, top-right, bottom-left,
    // bottom-right) as cell codes, and where it is.
    std::array<int32_t, 4> Piece{};
    int32_t PieceColumn = 0;
    int32_t PieceRow = 0;
    // The next three pieces, each as top-left, top-right, bottom-left,
    // bottom-right cell codes.
    std::array<std::array<int32_t, 4>, 3> Queue{};
    float SweepPosition = 0.0f;
    int32_t Level = 0;
};

TView SeeGame(const GameState& g);

}  // namespace tuublark
