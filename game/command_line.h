// The command line. Without options the game runs full screen, seeded from
// the clock and played from the keyboard; each option changes one of those
// or adds an output.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tuublark {

struct CommandLine {
    bool Windowed = false;
    bool FullScreen = false;
    bool Headless = false;
    std::optional<int32_t> Seed;
    std::string InputPath;
    std::string RecordPath;
    std::optional<int32_t> Frames;
    std::string TracePath;
    std::string ScreenshotPath;
    std::string ProfilePath;
    bool Unpaced = false;
    // "gl" or "gles2"; empty leaves the choice to the settings.
    std::string Renderer;
    bool Autoplay = false;
    bool KeepHighScore = false;
    bool Help = false;
    bool Version = false;
};

// False with `error` set (one line) when the arguments are not usable.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& options, std::string& error);

std::string UsageText();

}  // namespace tuublark
