// The built-in player's picture of the board: sixteen columns, each a stack
// of resting cells from the bottom up, as a person thinks of it. A piece
// adds two cells to each of its two columns; same-colour squares go, and
// the cells above them drop down.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_state.h"

namespace tuublark {

// A cell's colour (1 or 2) with these flags.
constexpr uint8_t kColourBits = 3;
constexpr uint8_t kGoing = 4;   // in a square: removed when the line passes
constexpr uint8_t kLocked = 8;  // already taken by the line: joins no new square

struct TStacks {
    std::array<int8_t, kBoardColumns> Height{};
    uint8_t Cell[kBoardColumns][kBoardRows] = {};  // Cell[column][0] is the bottom cell
};

// The board as cell codes (piece cells left out, falling cells landed).
TStacks StacksOf(const int32_t (&board)[kBoardColumns][kBoardRows]);

// A piece's four cells as colours: top-left, top-right, bottom-left,
// bottom-right.
using TPieceColours = std::array<uint8_t, 4>;
// After `turns` clockwise quarter turns.
TPieceColours Turned(const TPieceColours& piece, int turns);

// Drops the piece on columns `column` and `column + 1` (no check).
void Place(TStacks& s, const TPieceColours& piece, int column);
// Marks every square, removes what is marked and lets the cells above drop,
// until nothing more goes. Returns the cells removed.
int Settle(TStacks& s);

}  // namespace tuublark
