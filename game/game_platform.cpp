// With game/main.cpp, the one game file that names the platform.
#include "game/game_platform.h"

#include "engine/platform/sdl_platform.h"

namespace tuublark {

bool InstallGamePlatform(const CommandLine& options, const TSettings& settings, std::string& error) {
    TPlatformOptions platform;
    platform.Windowed = !settings.FullScreen;
    platform.WindowWidth = settings.WindowWidth;
    platform.WindowHeight = settings.WindowHeight;
    platform.AudioLatencyMs = settings.AudioLatencyMs;
    platform.Keys = settings.Keys;
    platform.KeyboardFromScript = !options.InputPath.empty() || options.Autoplay;
    platform.OpenGLES2 = (options.Renderer.empty() ? settings.Renderer : options.Renderer) == "gles2";
#ifdef __EMSCRIPTEN__
    // The page is the window: the canvas is laid out by the page.
    platform.Windowed = true;
    platform.WindowWidth = 800;
    platform.WindowHeight = 600;
#endif
    return InstallSdlPlatform(platform, error);
}

void UseGamePlatformUserFolder() { UsePlatformUserFolder(); }

}  // namespace tuublark
