// Drawing of every screen, and the moving parts drawn over them.
#pragma once

namespace tuublark {

struct GameState;

// Screens.
void DrawBackdropAndPanel(GameState& g);
void DrawPlayTime(GameState& g);
void DrawPlayScreen(GameState& g);
void DrawGameOverScreen(GameState& g);
void UpdateTitleScreen(GameState& g);
// The label over a demo game, drawn last; the drawing state is left as it was.
void DrawDemoLabel(GameState& g);

// Effects, popups, the sweep line and the title animation.
void RunEffects(GameState& g);
void RunPopups(GameState& g);
void DrawSweepLine(GameState& g);
void StepTitleSweep(GameState& g);

}  // namespace tuublark
