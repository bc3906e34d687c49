// The SDL2 platform: window and OpenGL context, event pump, key codes,
// clock, and audio output. Nothing outside engine/platform includes SDL.
#pragma once

#include <string>

#include "engine/input/key_bindings.h"

namespace tuublark {

struct TPlatformOptions {
    bool Windowed = false;
    // Keys come from a replay script: the keyboard's own events are ignored.
    bool KeyboardFromScript = false;
    // The window's inner size; 0 x 0 picks the largest whole multiple of
    // the picture that fits 90% of the desktop.
    int32_t WindowWidth = 0, WindowHeight = 0;
    // Audio output latency in milliseconds; 0 for the default.
    int32_t AudioLatencyMs = 0;
    TKeyBindings Keys;
    // The OpenGL ES 2.0 render driver (what browsers offer) instead of the
    // OpenGL 1.1 one.
    bool OpenGLES2 = false;
};

// Makes the SDL system driver, the chosen OpenGL render driver and, when a
// device opens, the mixer's audio output current. False with `error` set when SDL
// cannot start its video.
bool InstallSdlPlatform(const TPlatformOptions& options, std::string& error);

// In the browser, the player's files live under SDL's preference path, in
// the browser's storage (web_page.h); elsewhere this does nothing. Called
// before any of them is read.
void UsePlatformUserFolder();

}  // namespace tuublark
