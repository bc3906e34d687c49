// Cell codes of the board. The colour of a code is its parity (odd A, even
// B); each kind is the settled code plus 2, 4, 6 or 8.
#pragma once

#include <cstdint>

namespace tuublark {

enum CellCode : int32_t {
    CellEmpty = 0,
    CellSettledA = 1,
    CellSettledB = 2,
    CellMarkedA = 3,
    CellMarkedB = 4,
    CellTriggeredA = 5,
    CellTriggeredB = 6,
    CellLooseA = 7,
    CellLooseB = 8,
    CellPieceA = 9,
    CellPieceB = 10,
};

}  // namespace tuublark
