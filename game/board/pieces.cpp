#include "engine/input/random.h"
#include "engine/runtime/strings.h"
#include "game/board/board.h"
#include "game/game_state.h"

namespace tuublark {

void ClearBoard(GameState& g) {
    for (auto& column : g.Board)
        for (int32_t& cell : column) cell = CellEmpty;
}

void SpawnFirstPiece(GameState& g) {
    g.PieceTopLeft = RandomInt(9, 10);
    g.PieceTopRight = RandomInt(9, 10);
    g.PieceBottomLeft = RandomInt(9, 10);
    g.PieceBottomRight = RandomInt(9, 10);
    for (std::string& slot : g.PieceQueue) slot = g.PiecePatterns[RandomInt(0, 15)];
    g.Board[7][0] = g.PieceTopLeft;
    g.Board[8][0] = g.PieceTopRight;
    g.Board[7][1] = g.PieceBottomLeft;
    g.Board[8][1] = g.PieceBottomRight;
}

static int32_t DecodePatternCell(const std::string& pattern, int position) {
    return MidString(pattern, position, 1) == "1" ? CellPieceA : CellPieceB;
}

void SpawnNextPiece(GameState& g) {
    g.PieceRow = 0;
    g.FallTimer = g.SpawnDelay;
    g.QueueSlide = 30;
    const std::string& next = g.PieceQueue[0];
    g.PieceTopLeft = DecodePatternCell(next, 1);
    g.PieceTopRight = DecodePatternCell(next, 2);
    g.PieceBottomLeft = DecodePatternCell(next, 3);
    g.PieceBottomRight = DecodePatternCell(next, 4);
    g.Board[g.PieceColumn][0] = g.PieceTopLeft;
    g.Board[g.PieceColumn + 1][0] = g.PieceTopRight;
    g.Board[g.PieceColumn][1] = g.PieceBottomLeft;
    g.Board[g.PieceColumn + 1][1] = g.PieceBottomRight;
    g.PieceQueue[0] = g.PieceQueue[1];
    g.PieceQueue[1] = g.PieceQueue[2];
    g.PieceQueue[2] = g.PiecePatterns[RandomInt(0, 15)];
}

}  // namespace tuublark
