// Starting the game's sounds, noted for the frame trace.
#pragma once

#include <string>

#include "engine/audio/sound.h"

namespace tuublark {

struct GameState;

// PlaySound(sound, channel), noting "ChannelVariable:path" in FrameSounds.
// `path` is the file the sound variable is loaded from, so the note is the
// same whether or not the file could be loaded.
void PlayGameSound(GameState& g, const SoundRef& sound, const std::string& path, const ChannelRef& channel);

// Channel volumes from the player's settings (0..100 of the game's own
// 0.7): music on both music channels, effects on the four others.
void ApplyVolumes(GameState& g, int32_t music, int32_t effects);

// The game's name of a channel variable ("MusicChannelA", ...), "?" if none.
std::string ChannelVariableName(const GameState& g, const ChannelRef& channel);

}  // namespace tuublark
