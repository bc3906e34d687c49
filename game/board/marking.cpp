// Marking of same-colour 2x2 squares and the leftward spread of the
// triggered state along a row.
#include "game/board/board.h"
#include "game/board/board_effects.h"
#include "game/game_state.h"

namespace tuublark {
namespace {

// Settled (k) or marked (k + 2) of colour k.
bool RestsInColour(int32_t code, int32_t k) { return code == k || code == k + 2; }

void AnnounceNewSquare(GameState& g, int c, int r, int32_t k) {
    int32_t x = g.BoardLeft + (c + 1) * g.CellSize - 15;
    int32_t y = g.BoardTop + (r + 1) * g.CellSize - 15;
    AddBoardEffect(g, kSquareShock, k == CellSettledA ? g.AnimalAShockImage : g.AnimalBShockImage, x, y);
    RequestSound(g, k == CellSettledA ? 1 : 2);
    AddBoardEffect(g, kSquareBurst, g.SquareBurstImage, x, y);
    g.Score += 13;
}

}  // namespace

// Every top-left cell, columns 0..14 left to right, each column rows 0..10
// top to bottom. Squares may overlap; cells marked earlier in the scan
// still match. A square whose cells were all marked already earns nothing.
void MarkSquares(GameState& g) {
    for (int c = 0; c <= kBoardColumns - 2; ++c) {
        for (int r = 0; r <= kBoardRows - 2; ++r) {
            int32_t k = g.Board[c][r];
            if (k > 2) k -= 2;
            if (k != CellSettledA && k != CellSettledB) continue;
            int32_t& topRight = g.Board[c + 1][r];
            int32_t& bottomLeft = g.Board[c][r + 1];
            int32_t& bottomRight = g.Board[c + 1][r + 1];
            if (!RestsInColour(topRight, k) || !RestsInColour(bottomLeft, k) || !RestsInColour(bottomRight, k))
                continue;
            int32_t& topLeft = g.Board[c][r];
            if (topLeft < 3 || topRight < 3 || bottomLeft < 3 || bottomRight < 3) AnnounceNewSquare(g, c, r, k);
            topLeft = topRight = bottomLeft = bottomRight = k + 2;
        }
    }
}

// Rows top to bottom, each right to left, so a whole run of marked cells
// left of a triggered cell of their colour turns triggered in one frame.
void SpreadTriggered(GameState& g) {
    for (int r = 0; r < kBoardRows; ++r) {
        for (int c = kBoardColumns - 2; c >= 0; --c) {
            int32_t code = g.Board[c][r];
            if ((code == CellMarkedA || code == CellMarkedB) && g.Board[c + 1][r] == code + 2) g.Board[c][r] += 2;
        }
    }
}

}  // namespace tuublark
