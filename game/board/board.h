// The board rules: pieces, landing and gravity, marking, the sweep's
// clearing and scoring, and the sounds they request.
#pragma once

#include "game/board/cells.h"

namespace tuublark {

struct GameState;

// Grid, pieces and queue.
void ClearBoard(GameState& g);
void SpawnFirstPiece(GameState& g);
void SpawnNextPiece(GameState& g);

// The per-frame board update, with marking and the spread of triggers.
void UpdateBoard(GameState& g);
void MarkSquares(GameState& g);
void SpreadTriggered(GameState& g);

// The sweep's column steps, removals and scoring.
void UpdateSweep(GameState& g);
void LoosenAboveGaps(GameState& g);
void ScoreClearedGroup(GameState& g);

// Sounds of the sweep.
void RequestSound(GameState& g, int kind);
void PlaySweepSounds(GameState& g, int column);
void ServiceSoundRequests(GameState& g);
void StopMusic(GameState& g);

}  // namespace tuublark
