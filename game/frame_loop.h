// The frame loop: one pass is one frame of the game.
#pragma once

#include <cstdint>

namespace tuublark {

struct GameState;

// Pixels in one pass of the sweep line (16 columns of 30 pixels).
constexpr float kPassLength = 480.0f;
// Level-up speed factor, a 32-bit float (0.89999997615814209).
constexpr float kLevelSpeedFactor = 0.9f;
constexpr int32_t kGameOverFrames = 120;

// One frame's game work: keys, the current screen's procedures, and the
// sweep advance with the pass-end rules. PresentFrame follows.
void RunFrame(GameState& g);

// The end of a frame: present it, then clear the back buffer for the next.
void PresentFrame();

void AdvancePlayClock(GameState& g, int32_t frame);
void AdvanceSweep(GameState& g);
// Frames one sweep pass lasts at `speed`: the frames AdvanceSweep takes,
// with the same float sum, to bring the line from 0 to kPassLength. 0 for
// a speed that never gets there.
int32_t SweepPassFrames(float speed);
void BeginSkinChange(GameState& g);
void FinishSkinChange(GameState& g);
// Back to the title screen (Escape, or the end of the game-over screen):
// the sweep and piece column are reset, and so are a pending level-up, the
// pass's cells and the skin-change count, so none of them reaches the
// title screen or the next game.
void ResetToTitle(GameState& g);
// The end of the game-over screen: ResetToTitle after the high score.
void LeaveGame(GameState& g);

}  // namespace tuublark
