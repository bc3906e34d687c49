#include "game/autoplay/stacks.h"

#include <algorithm>

#include "game/board/cells.h"

namespace tuublark {
namespace {

bool Matches(uint8_t a, uint8_t b) { return (a & kColourBits) == (b & kColourBits) && !((a | b) & kLocked); }

// Marks the squares of the stacks; true when any cell was not marked yet.
bool MarkSquares(TStacks& s) {
    bool fresh = false;
    for (int c = 0; c + 1 < kBoardColumns; ++c) {
        const int top = std::min(s.Height[c], s.Height[c + 1]) - 1;
        for (int i = 0; i < top; ++i) {
            uint8_t& a = s.Cell[c][i];
            uint8_t& b = s.Cell[c + 1][i];
            uint8_t& d = s.Cell[c][i + 1];
            uint8_t& e = s.Cell[c + 1][i + 1];
            if (!Matches(a, b) || !Matches(a, d) || !Matches(a, e)) continue;
            fresh = fresh || !(a & b & d & e & kGoing);
            a |= kGoing, b |= kGoing, d |= kGoing, e |= kGoing;
        }
    }
    return fresh;
}

int RemoveGoing(TStacks& s) {
    int removed = 0;
    for (int c = 0; c < kBoardColumns; ++c) {
        int kept = 0;
        for (int i = 0; i < s.Height[c]; ++i) {
            if (s.Cell[c][i] & kGoing) continue;
            s.Cell[c][kept++] = s.Cell[c][i];
        }
        removed += s.Height[c] - kept;
        s.Height[c] = static_cast<int8_t>(kept);
    }
    return removed;
}

}  // namespace

TStacks StacksOf(const int32_t (&board)[kBoardColumns][kBoardRows]) {
    TStacks s;
    for (int c = 0; c < kBoardColumns; ++c) {
        int n = 0;
        for (int r = kBoardRows - 1; r >= 0; --r) {
            int32_t code = board[c][r];
            if (code <= CellEmpty || code >= CellPieceA) continue;
            uint8_t cell = code % 2 == 1 ? 1 : 2;
            if (code == CellMarkedA || code == CellMarkedB) cell |= kGoing;
            if (code == CellTriggeredA || code == CellTriggeredB) cell |= kGoing | kLocked;
            s.Cell[c][n++] = cell;
        }
        s.Height[c] = static_cast<int8_t>(n);
    }
    return s;
}

TPieceColours Turned(const TPieceColours& piece, int turns) {
    TPieceColours p = piece;
    for (int i = 0; i < turns; ++i) p = {p[2], p[0], p[3], p[1]};
    return p;
}

void Place(TStacks& s, const TPieceColours& piece, int column) {
    for (int half = 0; half < 2; ++half) {
        int c = column + half;
        int h = s.Height[c];
        // Bottom cell first; a full column keeps what fits.
        if (h < kBoardRows) s.Cell[c][h++] = piece[2 + half];
        if (h < kBoardRows) s.Cell[c][h++] = piece[half];
        s.Height[c] = static_cast<int8_t>(h);
    }
}

int Settle(TStacks& s) {
    int removed = 0;
    MarkSquares(s);
    while (int n = RemoveGoing(s)) {
        removed += n;
        if (!MarkSquares(s)) break;
    }
    return removed;
}

}  // namespace tuublark
