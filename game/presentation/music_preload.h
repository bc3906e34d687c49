// Drum loops decoded ahead of the frame that switches to their skin.
//
// Decoding a loop of several seconds takes longer than a frame, so the next
// skin's loop is decoded on a worker thread while the current skin plays;
// the frame that switches skins only turns the decoded samples into a
// sound. What is loaded, and when it is heard, does not change.
#pragma once

#include <cstdint>
#include <string>

#include "engine/audio/sound.h"

namespace tuublark {

// Starts decoding `path` on a worker thread unless it is already decoded
// or being decoded.
void PrepareMusicLoop(const std::string& path);

// The sound of `path`, as LoadSound(path, flags) gives it: from the
// prepared samples when `path` was prepared (waiting for the worker if it
// has not finished), else loaded now. Null when the file cannot be read.
SoundRef TakeMusicLoop(const std::string& path, int32_t flags);

// Whether `path` is prepared and not yet taken.
bool MusicLoopPrepared(const std::string& path);

}  // namespace tuublark
