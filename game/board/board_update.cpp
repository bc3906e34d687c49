// The per-frame board update: the piece's cells are rewritten from the
// piece variables, the piece steps down, rests or splits, loose cells fall,
// the sideways move is made, the next piece spawns, the fall clock runs,
// and squares are marked. Scan orders decide the outcome; keep them.
#include "game/board/board.h"
#include "game/board/board_effects.h"
#include "game/game_state.h"

namespace tuublark {
namespace {

constexpr int kBottomRow = kBoardRows - 1;
constexpr int kLastColumn = kBoardColumns - 1;

bool IsLoose(int32_t code) { return code == CellLooseA || code == CellLooseB; }
bool IsPiece(int32_t code) { return code == CellPieceA || code == CellPieceB; }

bool FallStepDue(const GameState& g) { return g.DropStep > 0 || g.FallTimer == 0; }

// Refuses the requested sideways move when the cell beside the piece's
// bottom-left cell (column c, row r), on the side of the move, is occupied
// or off the board. Only the bottom half's row is looked at.
void SideCheck(GameState& g, int c, int r) {
    if (g.PieceMove == -1 && (c - 1 < 0 || g.Board[c - 1][r] > 0)) g.PieceMove = 0;
    if (g.PieceMove == +1 && (c + 2 > kLastColumn || g.Board[c + 2][r] > 0)) g.PieceMove = 0;
}

void MoveDown(GameState& g, int c, int r) {
    g.Board[c][r + 1] = g.Board[c][r];
    g.Board[c][r] = CellEmpty;
}

const ImageRef& AnimalImageFor(const GameState& g, int32_t code) {
    return code % 2 == 1 ? g.AnimalAImage : g.AnimalBImage;
}

// The bottom row first. Loose cells rest; the piece's bottom half rests when a
// fall step is due.
void UpdateBottomRow(GameState& g, bool due) {
    const int r = kBottomRow;
    for (int c = 0; c <= kLastColumn; ++c) {
        int32_t& cell = g.Board[c][r];
        if (IsLoose(cell)) {
            cell -= 6;
        } else if (IsPiece(cell)) {
            int n = g.PieceCellIndex;
            g.PieceCellIndex += 1;
            if (n == 0) {
                cell = g.PieceBottomLeft;
                SideCheck(g, c, r);
                if (due) {
                    g.PieceLanded = 1;
                    cell -= 8;
                }
            } else if (n == 1) {
                cell = g.PieceBottomRight;
                if (due) cell -= 8;
            }
        }
    }
}

// The piece's bottom-left cell decides for the whole piece: it steps down
// when both cells under the bottom half are empty, ends the game when it
// is blocked within the top three rows, and otherwise brings the piece to
// rest.
void UpdatePieceBottomLeft(GameState& g, int c, int r, bool due) {
    g.Board[c][r] = g.PieceBottomLeft;
    SideCheck(g, c, r);
    if (!due) return;
    bool rightBelowEmpty = c + 1 <= kLastColumn && g.Board[c + 1][r + 1] == CellEmpty;
    if (g.Board[c][r + 1] == CellEmpty && rightBelowEmpty) {
        g.PieceDescends = 1;
        MoveDown(g, c, r);
    } else if (r <= 2) {
        g.FrameCounter = 0;
        g.Screen = kGameOverScreen;
    } else {
        g.PieceLanded = 1;
        g.Board[c][r] -= g.Board[c][r + 1] <= 0 ? 2 : 8;
    }
}

void UpdatePieceBottomRight(GameState& g, int c, int r, bool due) {
    g.Board[c][r] = g.PieceBottomRight;
    if (!due) return;
    if (g.PieceDescends == 1) MoveDown(g, c, r);
    else g.Board[c][r] -= g.Board[c][r + 1] <= 0 ? 2 : 8;
}

// A top cell without descent looks two rows down, under the bottom cell of
// its column, which this frame's scan has already turned into a resting or
// loose cell; so each half of the piece rests or turns loose whole.
void UpdatePieceTop(GameState& g, int c, int r, bool due, int32_t code, bool setsRow) {
    g.Board[c][r] = code;
    if (!due) return;
    if (g.PieceDescends == 1) {
        AddCellEffect(g, kPieceTrail, AnimalImageFor(g, code), c, r);
        MoveDown(g, c, r);
        if (setsRow) g.PieceRow = r + 1;
    } else if (r != kBottomRow - 1 && g.Board[c][r + 2] <= 0) {
        g.Board[c][r] -= 2;
    } else {
        g.Board[c][r] -= 8;
    }
}

// Then the rows above, from the lowest up, each left to right. Rows are scanned upwards, so
// a cell moved down is not met again in this frame.
void UpdateUpperRows(GameState& g, bool due) {
    for (int r = kBottomRow - 1; r >= 0; --r) {
        for (int c = 0; c <= kLastColumn; ++c) {
            int32_t code = g.Board[c][r];
            if (IsLoose(code)) {
                if (g.Board[c][r + 1] <= 0) {
                    AddCellEffect(g, kLooseTrail, AnimalImageFor(g, code), c, r);
                    MoveDown(g, c, r);
                } else {
                    g.Board[c][r] -= 6;
                }
            } else if (IsPiece(code)) {
                int n = g.PieceCellIndex;
                g.PieceCellIndex += 1;
                switch (n) {
                    case 0: UpdatePieceBottomLeft(g, c, r, due); break;
                    case 1: UpdatePieceBottomRight(g, c, r, due); break;
                    case 2: UpdatePieceTop(g, c, r, due, g.PieceTopLeft, true); break;
                    case 3: UpdatePieceTop(g, c, r, due, g.PieceTopRight, false); break;
                    default: break;
                }
            }
        }
    }
}

// A sideways move may only carry piece cells into cells that are empty or
// belong to the piece: the side check looked at the bottom half's row
// before this frame's descent, and never at the top half.
bool PieceCellsCanShift(const GameState& g, int dc) {
    for (int c = 0; c <= kLastColumn; ++c) {
        for (int r = 0; r < kBoardRows; ++r) {
            if (!IsPiece(g.Board[c][r])) continue;
            int target = c + dc;
            if (target < 0 || target > kLastColumn) return false;
            int32_t held = g.Board[target][r];
            if (held > 0 && !IsPiece(held)) return false;
        }
    }
    return true;
}

// After the descent. With no piece cell left (it came to rest this frame) only
// PieceColumn changes, and the next piece enters there.
void ApplySidewaysMove(GameState& g) {
    int dc = g.PieceMove;
    int column = g.PieceColumn + dc;
    bool onBoard = column >= 0 && column <= kLastColumn - 1;
    if ((dc == -1 || dc == +1) && onBoard && PieceCellsCanShift(g, dc)) {
        for (int r = kBottomRow; r >= 0; --r) {
            for (int i = 0; i <= kLastColumn; ++i) {
                // Left moves scan left to right, right moves right to left,
                // so no cell is met twice.
                int c = dc == -1 ? i : kLastColumn - i;
                if (!IsPiece(g.Board[c][r])) continue;
                g.Board[c + dc][r] = g.Board[c][r];
                g.Board[c][r] = CellEmpty;
            }
        }
        g.PieceColumn = column;
    }
    g.PieceMove = 0;
}

// After any spawn: a fall step is due in the frame that begins with FallTimer 0.
void RunFallClock(GameState& g) {
    if (g.FallTimer != 0) g.FallTimer -= 1;
    else g.FallTimer = g.FallInterval;
}

}  // namespace

void UpdateBoard(GameState& g) {
    g.PieceCellIndex = 0;
    g.PieceDescends = 0;
    g.PieceLanded = 0;
    const bool due = FallStepDue(g);
    UpdateBottomRow(g, due);
    UpdateUpperRows(g, due);
    g.DropStep = 0;
    ApplySidewaysMove(g);
    if (g.PieceLanded == 1) SpawnNextPiece(g);
    RunFallClock(g);
    MarkSquares(g);
    SpreadTriggered(g);
}

}  // namespace tuublark
