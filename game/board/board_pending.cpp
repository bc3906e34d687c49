// Placeholders for the board rules still to be written; every one of them
// is replaced by the board rules work.
#include "engine/audio/sound.h"
#include "game/board/board.h"
#include "game/game_state.h"

namespace tuublark {

void UpdateBoard(GameState&) {}
void MarkSquares(GameState&) {}
void SpreadTriggered(GameState&) {}
void UpdateSweep(GameState&) {}
void LoosenAboveGaps(GameState&) {}
void ScoreClearedGroup(GameState&) {}
void RequestSound(GameState&, int) {}
void PlaySweepSounds(GameState&, int) {}
void ServiceSoundRequests(GameState&) {}

void StopMusic(GameState& g) {
    StopChannel(g.MusicChannelA);
    StopChannel(g.MusicChannelB);
}

}  // namespace tuublark
