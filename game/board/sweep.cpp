// The sweep line's column steps: marked cells of the entered column turn
// triggered, and a group of triggered cells is removed as soon as the line
// enters a column that does not continue it.
#include "game/board/board.h"
#include "game/board/board_effects.h"
#include "game/game_state.h"

namespace tuublark {
namespace {

bool IsMarked(int32_t code) { return code == CellMarkedA || code == CellMarkedB; }
bool IsTriggered(int32_t code) { return code == CellTriggeredA || code == CellTriggeredB; }

void RemoveCell(GameState& g, int c, int r, const TBoardEffectKind& flash, const TBoardEffectKind& blast) {
    g.Board[c][r] = CellEmpty;
    AddCellEffect(g, flash, g.YellowImage, c, r);
    AddCellEffect(g, blast, g.ExplodeImage, c, r);
    g.DeletedCount += 1;
    if (g.DeletedCount > 0 && g.CellsPerLevel > 0 && g.DeletedCount % g.CellsPerLevel == 0) g.LevelUpPending = 1;
    g.GroupCells += 1;
    g.CellsCleared = 1;
}

// Every triggered cell on the board, columns left to right, each top to
// bottom.
void RemoveTriggeredCells(GameState& g, const TBoardEffectKind& flash, const TBoardEffectKind& blast) {
    for (int c = 0; c < kBoardColumns; ++c)
        for (int r = 0; r < kBoardRows; ++r)
            if (IsTriggered(g.Board[c][r])) RemoveCell(g, c, r, flash, blast);
}

// Column step 1. What is still triggered belongs to the group that was
// open when the last pass ended. SweepGroupOpen is left as it is.
void StartPass(GameState& g) {
    RemoveTriggeredCells(g, kPassStartFlash, kPassStartBlast);
    for (int r = 0; r < kBoardRows; ++r) {
        if (!IsMarked(g.Board[0][r])) continue;
        g.Board[0][r] += 2;
        g.ClearBoxLeft = 0;
        if (g.ClearBoxTop == 0) g.ClearBoxTop = r;
        else if (r > g.ClearBoxTop) g.ClearBoxBottom = r;
    }
}

// The box of triggered cells for a cell triggered in step `step` (>= 2) at
// column step - 1. The column bounds are compared with the step number and
// given the column; ClearBoxTop 0 stands for an empty box.
void GrowClearBox(GameState& g, int step, int column, int row) {
    if (g.ClearBoxTop == 0) {
        g.ClearBoxLeft = column;
    } else {
        if (step > g.ClearBoxRight) g.ClearBoxRight = column;
        if (step < g.ClearBoxLeft) g.ClearBoxLeft = column;
    }
    if (g.ClearBoxTop == 0) {
        g.ClearBoxTop = row;
    } else {
        if (row > g.ClearBoxBottom) g.ClearBoxBottom = row;
        if (row < g.ClearBoxTop) g.ClearBoxTop = row;
    }
}

// Column steps 2 to 16, entering column k.
void EnterColumn(GameState& g, int step, int k) {
    for (int r = 0; r < kBoardRows; ++r) {
        int32_t here = g.Board[k][r];
        if (IsTriggered(g.Board[k - 1][r]) && (IsMarked(here) || IsTriggered(here))) {
            g.SweepGroupOpen = 0;
            break;
        }
    }
    if (g.SweepGroupOpen == 1) RemoveTriggeredCells(g, kGroupFlash, kGroupBlast);
    g.SweepGroupOpen = 0;
    for (int r = 0; r < kBoardRows; ++r) {
        if (!IsMarked(g.Board[k][r])) continue;
        g.Board[k][r] += 2;
        GrowClearBox(g, step, k, r);
        g.SweepGroupOpen = 1;
    }
}

}  // namespace

void UpdateSweep(GameState& g) {
    if (g.SweepPosition <= static_cast<float>(g.SweepColumn * g.CellSize)) return;
    // The line never passes the last column within a pass.
    if (g.SweepColumn >= kBoardColumns) return;
    g.SweepColumn += 1;
    const int step = g.SweepColumn;
    if (step == 1) StartPass(g);
    else EnterColumn(g, step, step - 1);
    if (g.CellsCleared == 1) {
        LoosenAboveGaps(g);
        RequestSound(g, 3);
        ScoreClearedGroup(g);
        g.CellsCleared = 0;
    }
    PlaySweepSounds(g, g.SweepColumn);
}

// Resting cells above an empty cell of their column turn loose and lose
// their mark. Rows 0 and 1 are not looked at; triggered, loose and piece
// cells are left alone.
void LoosenAboveGaps(GameState& g) {
    for (int c = 0; c < kBoardColumns; ++c) {
        bool gapSeen = false;
        for (int r = kBoardRows - 1; r >= 2; --r) {
            int32_t& cell = g.Board[c][r];
            if (cell == CellEmpty) gapSeen = true;
            else if (gapSeen && cell >= CellSettledA && cell <= CellMarkedB)
                cell = cell % 2 == 1 ? CellLooseA : CellLooseB;
        }
    }
}

}  // namespace tuublark
