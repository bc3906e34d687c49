#include "game/autoplay/view.h"

#include "game/board/cells.h"

namespace tuublark {

TView SeeGame(const GameState& g) {
    TView v;
    v.Screen = g.Screen;
    for (int c = 0; c < kBoardColumns; ++c)
        for (int r = 0; r < kBoardRows; ++r) v.Board[c][r] = g.Board[c][r];
    v.Piece = {g.PieceTopLeft, g.PieceTopRight, g.PieceBottomLeft, g.PieceBottomRight};
    v.PieceColumn = g.PieceColumn;
    v.PieceRow = g.PieceRow;
    for (size_t i = 0; i < v.Queue.size(); ++i) {
        const std::string& pattern = g.PieceQueue[i];
        for (size_t k = 0; k < 4; ++k)
            v.Queue[i][k] = k < pattern.size() && pattern[k] == '1' ? CellPieceA : CellPieceB;
    }
    v.SweepPosition = g.SweepPosition;
    v.Level = g.Level;
    return v;
}

}  // namespace tuublark
