// The SDL2 platform: window and OpenGL context, event pump, key codes,
// clock, and audio output. Nothing outside engine/platform includes SDL.
#pragma once

#include <string>

namespace tuublark {

struct TPlatformOptions {
    bool Windowed = false;
    // Keys come from a replay script: the keyboard's own events are ignored.
    bool KeyboardFromScript = false;
};

// Makes the SDL system driver, the OpenGL render driver and, when a device
// opens, the mixer's audio output current. False with `error` set when SDL
// cannot start its video.
bool InstallSdlPlatform(const TPlatformOptions& options, std::string& error);

}  // namespace tuublark
