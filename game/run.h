// A whole run of the program: drivers, start-up, the frame loop with its
// trace, record and screenshot, and the end.
#pragma once

#include <functional>
#include <string>

#include "game/command_line.h"
#include "game/settings.h"

namespace tuublark {

// Installs the windowed or full-screen platform drivers (display, events,
// audio) as `settings` ask (the command line already applied); false with
// `error` set when that fails.
using PlatformInstaller =
    std::function<bool(const CommandLine& options, const TSettings& settings, std::string& error)>;

// Makes the engine, finds the data folder from the working directory and
// `executablePath`, runs the game and lets the engine go. Returns the
// process exit status: 0 after a normal end, 1 for a missing or unreadable
// asset, 2 for unusable input, trace or record files, 255 when the platform
// cannot start. An engine fatal error (TEngineError) leaves it unwound.
//
// A run played by a player (neither --input nor --headless), or one with
// --keep-high-score, starts from the kept high score and keeps a new one;
// a played run also keeps the size of a window the player resized in the
// settings file; every run with a display reads it.
int RunGame(const CommandLine& options, const std::string& executablePath, const PlatformInstaller& installPlatform);

}  // namespace tuublark
