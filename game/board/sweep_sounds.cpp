// Sounds driven by the sweep: the music loop restarts with every pass, and
// requests made by marking and removal are served at each column step.
#include "engine/audio/sound.h"
#include "game/assets.h"
#include "game/board/board.h"
#include "game/game_sound.h"
#include "game/game_state.h"
#include "game/presentation/skins.h"

namespace tuublark {
namespace {

void AdvanceSoundChannel(GameState& g) {
    g.NextSoundChannel += 1;
    if (g.NextSoundChannel == 4) g.NextSoundChannel = 0;
}

}  // namespace

void RequestSound(GameState& g, int kind) {
    if (kind == 1) g.SquareARequest = 1;
    else if (kind == 2) g.SquareBRequest = 1;
    else if (kind == 3) g.BleepRequest = 1;
}

// The loop alternates between the two music channels, so the start made
// one pass earlier plays on to its end.
void PlaySweepSounds(GameState& g, int column) {
    if (column == 1) {
        g.SweepPassCount += 1;
        const ChannelRef& channel = g.SweepPassCount % 2 == 1 ? g.MusicChannelA : g.MusicChannelB;
        PlayGameSound(g, g.MusicLoopSound, MusicLoopPathForSkinIndex(g.SkinIndex), channel);
    }
    ServiceSoundRequests(g);
}

// A square request only moves the effect channel on; the bleep plays.
void ServiceSoundRequests(GameState& g) {
    if (g.SquareARequest == 1) {
        AdvanceSoundChannel(g);
        g.SquareARequest = 0;
    }
    if (g.SquareBRequest == 1) {
        AdvanceSoundChannel(g);
        g.SquareBRequest = 0;
    }
    if (g.BleepRequest == 1) {
        PlayGameSound(g, g.BleepSound, kBleepSoundPath, g.SoundChannels[g.NextSoundChannel]);
        AdvanceSoundChannel(g);
        g.BleepRequest = 0;
    }
}

void StopMusic(GameState& g) {
    StopChannel(g.MusicChannelA);
    StopChannel(g.MusicChannelB);
}

}  // namespace tuublark
