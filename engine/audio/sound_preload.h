// Sounds loaded ahead of the frame that needs them.
//
// Decoding a loop of several seconds takes longer than a frame, so a sound
// wanted later is loaded on an engine worker while the game goes on; the
// frame that needs it only takes the result. What is loaded, and when it
// is heard, does not change.
#pragma once

#include <cstdint>
#include <future>
#include <map>
#include <mutex>
#include <string>

#include "engine/audio/sound.h"

namespace tuublark {

// A sound being loaded on a worker, with the audio driver it is loaded by.
struct TPreparedSound {
    std::shared_future<SoundRef> Sound;
    const TAudioDriver* Driver = nullptr;
};

// The engine's table of prepared sounds, keyed by the file a path resolves
// to. The engine waits for their workers before it lets go of the table.
struct TSoundPreloads {
    std::mutex Lock;
    std::map<std::string, TPreparedSound> Sounds;
    // The file each path asked for resolved to: a request repeated every
    // frame finds its sound prepared without looking at the disk.
    std::map<std::string, std::string> Files;
};

// Starts loading `path` on a worker unless it is already loaded or being
// loaded.
void PrepareSound(const std::string& path);

// The sound of `path`, as LoadSound(path, flags) gives it: the prepared one
// when `path` was prepared (waiting for the worker if it has not finished),
// else loaded now. Null when the file cannot be read.
SoundRef TakePreparedSound(const std::string& path, int32_t flags);

// Whether `path` is prepared and not yet taken.
bool SoundPrepared(const std::string& path);

}  // namespace tuublark
