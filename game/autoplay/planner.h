// The built-in player's choice, made once per piece: the column and the
// quarter turns that leave the best board after this piece and the next
// one from the queue, the squares they make having gone.
#pragma once

#include <vector>

#include "game/autoplay/stacks.h"
#include "game/autoplay/view.h"

namespace tuublark {

struct TPlacement {
    int Column = 0;
    int Turns = 0;  // clockwise quarter turns, 0..3
};

// One placement looked at: the settled board after it and its worth.
struct TPlacementOption {
    TPlacement Place;
    TStacks After;
    int Removed = 0;
    double Value = 0.0;
};

// Keeps its working lists from one choice to the next, so a choice
// allocates nothing once they have grown.
class TPlanner {
public:
    TPlacement Choose(const TView& view);

private:
    std::vector<TPlacementOption> first_, second_;
};

}  // namespace tuublark
