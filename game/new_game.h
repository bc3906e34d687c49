// Starting a game, and the field resets that start-up, the return to the
// title and a new game have in common.
#pragma once

namespace tuublark {

struct GameState;

// The sweep back to the start of a pass at the title's speed, no cells
// counted in the pass, the piece column in the middle.
void ResetSweepAndPiece(GameState& g);

// Space on the title screen: score, level and time of a fresh game, skin 1
// with its pictures and music, an empty board with the first piece, and the
// play screen.
void NewGame(GameState& g);

}  // namespace tuublark
