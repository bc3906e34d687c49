// A game in play with some of everything on the board: settled, marked,
// triggered, loose and piece cells, a score and a sweep line, for tests
// that look at the play screen as it is drawn.
#pragma once

#include "game/board/cells.h"
#include "game/game_state.h"
#include "game/new_game.h"

namespace tuublark::testing {

inline void SetUpGameInPlay(GameState& g) {
    g.Screen = kTitleScreen;
    NewGame(g);
    for (auto& column : g.Board)
        for (int32_t& cell : column) cell = CellEmpty;
    for (int c = 0; c < 16; ++c) g.Board[c][11] = c % 3 == 0 ? CellSettledB : CellSettledA;
    for (int c = 0; c < 6; ++c) g.Board[c][10] = c % 2 ? CellSettledB : CellSettledA;
    g.Board[6][10] = g.Board[7][10] = g.Board[6][9] = g.Board[7][9] = CellMarkedA;
    g.Board[10][10] = g.Board[11][10] = g.Board[10][9] = g.Board[11][9] = CellTriggeredB;
    g.Board[12][10] = g.Board[12][9] = CellTriggeredB;
    g.Board[3][6] = CellLooseA;
    g.Board[4][5] = CellLooseB;
    g.Board[7][1] = CellPieceA, g.Board[8][1] = CellPieceB;
    g.Board[7][2] = CellPieceB, g.Board[8][2] = CellPieceB;
    g.PieceColumn = 7;
    g.Score = 1375, g.Level = 2, g.DeletedCount = 14, g.PassCells = 6;
    g.SweepPosition = 300.0f;
    g.PlayMinutes = 1, g.PlaySeconds = 5;
}

}  // namespace tuublark::testing
