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

// The game's name of a channel variable ("MusicChannelA", ...), "?" if none.
std::string ChannelVariableName(const GameState& g, const ChannelRef& channel);

}  // namespace tuublark
