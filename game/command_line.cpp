#include "game/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <set>

namespace tuublark {
namespace {

// Digits with an optional '-': no sign '+', no spaces.
bool ParseInt32(const std::string& text, int32_t& value) {
    const size_t digits = text.rfind('-', 0) == 0 ? 1 : 0;
    if (text.size() == digits || text.find_first_not_of("0123456789", digits) != std::string::npos) return false;
    char* end = nullptr;
    errno = 0;
    long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

}  // namespace

std::string UsageText() {
    return "usage: tuublark [options]\n"
           "  --windowed          a window instead of full screen; closing it quits\n"
           "  --fullscreen        full screen even when the settings say window\n"
           "  --seed N            seed the random generator with N instead of the clock\n"
           "  --input FILE        key events come from FILE instead of the keyboard (replay)\n"
           "  --record FILE       write the keyboard's events, with the seed, to FILE\n"
           "  --frames N          end after frame N\n"
           "  --headless          no window, no audio device, no pacing (needs --frames)\n"
           "  --trace FILE        after every frame, append one JSON line with the game state\n"
           "  --screenshot FILE   after the last frame, write the presented frame as PNG\n"
           "  --profile FILE      write each frame's CPU time and the first present's time\n"
           "  --unpaced           present frames as fast as they come (benchmarks)\n"
           "  --renderer NAME     draw with gl (OpenGL 1.1, the default) or gles2 (OpenGL ES 2.0)\n"
           "  --autoplay          the built-in player plays instead of the keyboard\n"
           "  --keep-high-score   start from the kept high score and keep a new one, as a played game does,\n"
           "                      also with --input or --headless\n"
           "  --help, --version\n";
}

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& options, std::string& error) {
    options = CommandLine{};
    std::set<std::string> given;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // A second value would silently replace the first.
        if (!given.insert(arg == "-h" ? "--help" : arg).second) {
            error = "option '" + arg + "' is given twice (see --help)";
            return false;
        }
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            if (out.empty()) {
                error = arg + " needs a non-empty value";
                return false;
            }
            return true;
        };
        std::string text;
        if (arg == "--windowed") {
            options.Windowed = true;
        } else if (arg == "--fullscreen") {
            options.FullScreen = true;
        } else if (arg == "--unpaced") {
            options.Unpaced = true;
        } else if (arg == "--autoplay") {
            options.Autoplay = true;
        } else if (arg == "--keep-high-score") {
            options.KeepHighScore = true;
        } else if (arg == "--headless") {
            options.Headless = true;
        } else if (arg == "--help" || arg == "-h") {
            options.Help = true;
        } else if (arg == "--version") {
            options.Version = true;
        } else if (arg == "--seed") {
            int32_t seed;
            if (!value(text)) return false;
            if (!ParseInt32(text, seed)) {
                error = "--seed needs a 32-bit integer, not '" + text + "'";
                return false;
            }
            options.Seed = seed;
        } else if (arg == "--frames") {
            int32_t frames;
            if (!value(text)) return false;
            if (!ParseInt32(text, frames) || frames < 1) {
                error = "--frames needs a whole number of at least 1, not '" + text + "'";
                return false;
            }
            options.Frames = frames;
        } else if (arg == "--input") {
            if (!value(options.InputPath)) return false;
        } else if (arg == "--record") {
            if (!value(options.RecordPath)) return false;
        } else if (arg == "--trace") {
            if (!value(options.TracePath)) return false;
        } else if (arg == "--screenshot") {
            if (!value(options.ScreenshotPath)) return false;
        } else if (arg == "--renderer") {
            if (!value(options.Renderer)) return false;
            if (options.Renderer != "gl" && options.Renderer != "gles2") {
                error = "--renderer needs gl or gles2, not '" + options.Renderer + "'";
                return false;
            }
        } else if (arg == "--profile") {
            if (!value(options.ProfilePath)) return false;
        } else {
            error = "unknown option '" + arg + "' (see --help)";
            return false;
        }
    }
    if (options.Help || options.Version) return true;
    if (options.Windowed && options.FullScreen) {
        error = "--windowed and --fullscreen cannot be used together";
        return false;
    }
    if (options.Headless && !options.Frames) {
        error = "--headless needs --frames N";
        return false;
    }
    if (options.Headless && !options.ScreenshotPath.empty()) {
        error = "--screenshot cannot be used with --headless (nothing is drawn)";
        return false;
    }
    if (!options.InputPath.empty() && !options.RecordPath.empty()) {
        error = "--input and --record cannot be used together";
        return false;
    }
    if (!options.InputPath.empty() && options.Autoplay) {
        error = "--input and --autoplay cannot be used together";
        return false;
    }
    return true;
}

}  // namespace tuublark
