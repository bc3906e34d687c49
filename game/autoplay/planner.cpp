#include "game/autoplay/planner.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "game/autoplay/stacks.h"
#include "game/board/cells.h"

namespace tuublark {
namespace {

// A piece lands only where neither column is higher than this; a higher
// one stops it within the top three rows, which ends the game.
constexpr int kLandingHeight = 8;
// Sideways, the piece passes over columns no higher than this.
constexpr int kPassingHeight = 10;
// Placements of this piece looked at two deep.
constexpr int kSecondLook = 8;

struct TWeights {
    double Removed = 3.0;  // a cell that goes
    double Height = 0.6;   // a cell of height
    double High = 6.0;     // times the square of the rows above kCalm
    double Bump = 0.8;     // a row of difference between neighbours
    double Pair = 1.5;     // two same-colour neighbours near the top
    double Stacked = 1.0;  // a column topped by two cells of one colour
    double Waiting = 2.0;  // times the square of the board's rows above kCalm before the line passes
};
constexpr TWeights kWeights;
constexpr int kCalm = 5;

TPieceColours Colours(const std::array<int32_t, 4>& codes) {
    TPieceColours p;
    for (int k = 0; k < 4; ++k) p[k] = codes[k] % 2 == 1 ? 1 : 2;
    return p;
}

uint8_t Colour(uint8_t cell) { return cell & kColourBits; }

// How good a settled board is to play on.
double Evaluate(const TStacks& s) {
    double value = 0.0;
    for (int c = 0; c < kBoardColumns; ++c) {
        const int h = s.Height[c];
        value -= kWeights.Height * h;
        if (h > kCalm) value -= kWeights.High * (h - kCalm) * (h - kCalm);
        if (h >= 2 && Colour(s.Cell[c][h - 1]) == Colour(s.Cell[c][h - 2])) value += kWeights.Stacked;
        if (c + 1 == kBoardColumns) continue;
        const int n = s.Height[c + 1];
        value -= kWeights.Bump * std::abs(h - n);
        for (int i = std::max(0, std::min(h, n) - 2); i < std::min(h, n); ++i)
            if (Colour(s.Cell[c][i]) == Colour(s.Cell[c + 1][i])) value += kWeights.Pair;
    }
    return value;
}

// The board as it stands until the line takes the squares: too high, and
// the next pieces have nowhere to land.
double Crowding(const TStacks& s) {
    double value = 0.0;
    for (int c = 0; c < kBoardColumns; ++c)
        if (s.Height[c] > kCalm) value -= kWeights.Waiting * (s.Height[c] - kCalm) * (s.Height[c] - kCalm);
    return value;
}

bool PathClear(const TStacks& s, int from, int to) {
    for (int c = std::min(from, to); c <= std::max(from, to) + 1; ++c)
        if (s.Height[c] > kPassingHeight) return false;
    return true;
}

// Every placement of `piece` from column `from` that lands, each with the
// settled board after it.
void Options(const TStacks& s, const TPieceColours& piece, int from, std::vector<TPlacementOption>& out) {
    out.clear();
    TPieceColours seen[4];
    int distinct = 0;
    for (int turns = 0; turns < 4; ++turns) {
        TPieceColours p = Turned(piece, turns);
        if (std::find(seen, seen + distinct, p) != seen + distinct) continue;
        seen[distinct++] = p;
        for (int column = 0; column + 1 < kBoardColumns; ++column) {
            if (std::max(s.Height[column], s.Height[column + 1]) > kLandingHeight) continue;
            if (!PathClear(s, from, column)) continue;
            TPlacementOption o;
            o.Place = {column, turns};
            o.After = s;
            Place(o.After, p, column);
            double crowding = Crowding(o.After);
            o.Removed = Settle(o.After);
            o.Value = Evaluate(o.After) + crowding + kWeights.Removed * o.Removed;
            out.push_back(o);
        }
    }
}

}  // namespace

TPlacement TPlanner::Choose(const TView& view) {
    const TStacks now = StacksOf(view.Board);
    std::vector<TPlacementOption>& first = first_;
    std::vector<TPlacementOption>& second = second_;
    Options(now, Colours(view.Piece), view.PieceColumn, first);
    if (first.empty()) {
        // Nowhere to land now: the lowest spot in reach, to wait there for
        // the line.
        TPlacement lowest{view.PieceColumn, 0};
        int height = 99;
        for (int column = 0; column + 1 < kBoardColumns; ++column) {
            int h = std::max(now.Height[column], now.Height[column + 1]);
            if (h < height && PathClear(now, view.PieceColumn, column)) height = h, lowest.Column = column;
        }
        return lowest;
    }
    const size_t looked = std::min<size_t>(kSecondLook, first.size());
    std::partial_sort(first.begin(), first.begin() + looked, first.end(),
                      [](const TPlacementOption& a, const TPlacementOption& b) { return a.Value > b.Value; });
    const TPieceColours next = Colours(view.Queue[0]);
    TPlacement best = first[0].Place;
    double bestValue = -1e18;
    for (size_t i = 0; i < looked; ++i) {
        const TPlacementOption& o = first[i];
        Options(o.After, next, o.Place.Column, second);
        double value = -1e9 + o.Value;  // nowhere for the next piece
        for (const TPlacementOption& then : second) value = std::max(value, then.Value + kWeights.Removed * o.Removed);
        if (value > bestValue) {
            bestValue = value;
            best = o.Place;
        }
    }
    return best;
}

}  // namespace tuublark
