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

// Returns the process exit status: 0 after a normal end, 2 for unusable
// input, trace or record files.
//
// A run played by a player (neither --input nor --headless) starts from the
// kept high score and keeps a new one; every run with a display reads the
// settings file.
int RunGame(const CommandLine& options, const PlatformInstaller& installPlatform);

}  // namespace tuublark
