// Reading the keyboard into the input flags, and turning the flags into
// one-frame requests on the piece.
#pragma once

namespace tuublark {

struct GameState;

void PollKeys(GameState& g);
void HandleTitleKeys(GameState& g);
void ControlPiece(GameState& g);

}  // namespace tuublark
