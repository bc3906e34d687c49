// A whole run of the program: drivers, start-up, the frame loop with its
// trace, record and screenshot, and the end.
#pragma once

#include <functional>
#include <string>

#include "game/command_line.h"

namespace tuublark {

// Installs the windowed or full-screen platform drivers (display, events,
// audio); false with `error` set when that fails.
using PlatformInstaller = std::function<bool(const CommandLine& options, std::string& error)>;

// Returns the process exit status: 0 after a normal end, 2 for unusable
// input, trace or record files.
int RunGame(const CommandLine& options, const PlatformInstaller& installPlatform);

}  // namespace tuublark
