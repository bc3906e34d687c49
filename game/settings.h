// The player's settings and the file that keeps them,
// $XDG_CONFIG_HOME/tuublark/settings.ini: one "name = value" a line, '#'
// or ';' comments, '[section]' lines allowed. A bad line is reported as
// "FILE:LINE: reason" and ignored; lines the game does not know are kept
// when the file is written back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/input/key_bindings.h"

namespace tuublark {

struct TSettings {
    bool FullScreen = true;
    // The window's inner size; 0 x 0 lets the display choose (the largest
    // whole multiple of 800 x 600 that fits 90% of the desktop).
    int32_t WindowWidth = 0, WindowHeight = 0;
    int32_t MusicVolume = 100;    // 0..100, of the game's own channel volume
    int32_t EffectsVolume = 100;  // 0..100
    TKeyBindings Keys;
    // Audio output latency in milliseconds; 0 keeps the audio driver's own.
    int32_t AudioLatencyMs = 0;
    // The render driver: "gl" (OpenGL 1.1) or "gles2" (OpenGL ES 2.0).
    std::string Renderer = "gl";
};

// Names of the game keys in the file and on the options screen, in the
// order of kGameKeys.
extern const char* const kGameKeyNames[kGameKeyCount];

class TSettingsFile {
public:
    // Replaces the values by those of `text` over the defaults; each bad
    // line is added to `problems` as "NAME:LINE: reason".
    void Parse(const std::string& text, const std::string& name, std::vector<std::string>& problems);
    // The file's text for the current values: the lines read, with known
    // names given their current values, then the known names not yet there.
    std::string Render() const;

    TSettings Values;

private:
    std::vector<std::string> lines_;
};

// The settings file's path; "" when no home folder is known.
std::string SettingsPath();
// Reads the file at `path` (a missing file gives the defaults silently);
// problems go to standard error, one line each.
TSettingsFile LoadSettings(const std::string& path);
// Writes atomically; false with one line on standard error on failure.
bool SaveSettings(const std::string& path, const TSettingsFile& file);

}  // namespace tuublark
