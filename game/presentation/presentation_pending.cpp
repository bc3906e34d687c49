// Placeholders for the drawing still to be written; every one of them is
// replaced by the presentation work.
#include "game/game_state.h"
#include "game/presentation/effects.h"
#include "game/presentation/screens.h"

namespace tuublark {


void DrawBackdropAndPanel(GameState&) {}
void DrawPlayTime(GameState&) {}
void DrawPlayScreen(GameState&) {}
void DrawGameOverScreen(GameState&) {}
void UpdateTitleScreen(GameState&) {}
void DrawSweepLine(GameState&) {}

}  // namespace tuublark
