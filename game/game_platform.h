// The platform the game runs on, chosen from its command line and
// settings: one place for the program and the tests that draw as it does.
#pragma once

#include <string>

#include "game/command_line.h"
#include "game/settings.h"

namespace tuublark {

// Installs the SDL window, OpenGL drawing and audio for a run with
// `options` and `settings`. False with `error` set when the display cannot
// open.
bool InstallGamePlatform(const CommandLine& options, const TSettings& settings, std::string& error);

// Points the player's files at the platform's own place for them (in a web
// page, the browser's storage); before any of them is read.
void UseGamePlatformUserFolder();

}  // namespace tuublark
