// The built-in player's choice, made once per piece: the column and the
// quarter turns that leave the best board after this piece and the next
// one from the queue, the squares they make having gone.
#pragma once

#include "game/autoplay/view.h"

namespace tuublark {

struct TPlacement {
    int Column = 0;
    int Turns = 0;  // clockwise quarter turns, 0..3
};

TPlacement ChoosePlacement(const TView& view);

}  // namespace tuublark
