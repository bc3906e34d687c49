// TUUBLARK: the program's entry. Reads the command line, chooses the
// platform and runs the game.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
// (<cstdio> tells whether the C library is glibc.)
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "engine/engine.h"
#include "engine/runtime/console.h"
#include "engine/runtime/file_open.h"
#include "engine/runtime/strings.h"
#include "game/command_line.h"
#include "game/game_platform.h"
#include "game/run.h"

namespace {

int Run(int argc, char** argv) {
    using namespace tuublark;
    AttachParentConsole();
#ifdef __GLIBC__
    // Pictures pass through buffers of several megabytes at start-up. Kept
    // on the heap rather than mapped and unmapped for each one, they cost no
    // fresh page faults each time: start-up takes a third of the time.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
    std::vector<std::string> args = ProgramArguments(argc, argv);
    CommandLine options;
    std::string error;
    if (!ParseCommandLine(args, options, error)) {
        std::fprintf(stderr, "tuublark: %s\n", EscapeControlBytes(error).c_str());
        return 2;
    }
    if (options.Help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (options.Version) {
        std::printf("tuublark %s\n", TUUBLARK_VERSION);
        return 0;
    }
    UseGamePlatformUserFolder();
    try {
        return RunGame(options, argc > 0 ? argv[0] : "", InstallGamePlatform);
    } catch (const TEngineError& fatal) {
        // The engine is gone by now: the display is closed, workers joined.
        std::fprintf(stderr, "%s\n", fatal.what());
        return 255;
    }
}

}  // namespace

int main(int argc, char** argv) {
    int status = Run(argc, argv);
#ifdef __EMSCRIPTEN__
    // A game that waited for the browser's animation frames returns from
    // main into the page's last callback, where nothing ends the program:
    // exit does, and tells the page its status.
    std::exit(status);
#endif
    return status;
}
