#include "engine/platform/sdl_platform.h"

#include <SDL.h>
#ifdef _WIN32
#include <windows.h>
#include <timeapi.h>
#endif

#include "engine/engine.h"
#ifndef __EMSCRIPTEN__
#include "engine/platform/gl_render_driver.h"
#endif
#include "engine/platform/gles2_render_driver.h"
#include "engine/platform/sdl_audio.h"
#include "engine/platform/sdl_system_driver.h"
#include "engine/platform/sdl_window.h"
#ifdef __EMSCRIPTEN__
#include "engine/platform/web_page.h"
#endif

namespace tuublark {

namespace {

// SDL itself, held by the engine until its drivers are gone.
class TSdlLibrary : public TPlatformLibrary {
public:
    ~TSdlLibrary() override {
        CloseSdlAudio();
        SDL_Quit();
#ifdef _WIN32
        timeEndPeriod(1);
#endif
    }
};

bool IsInvisibleVideoDriver(const std::string& name) {
    for (const char* invisible : {"offscreen", "dummy", "evdev"})
        if (name == invisible) return true;
    return false;
}

}  // namespace

bool InstallSdlPlatform(const TPlatformOptions& options, std::string& error) {
    // Switching away from full screen minimises and gives the desktop its
    // mode back; SDL must not catch SIGINT/SIGTERM itself.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Windows stretches the window of a program that does not declare itself
    // DPI-aware, blurring the picture on a scaled display; declared, the
    // window and its drawable are in real pixels (other systems ignore it).
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER | SDL_INIT_GAMECONTROLLER) != 0) {
        error = std::string("Unable to set graphics mode (") + SDL_GetError() + ")";
        return false;
    }
#ifdef _WIN32
    // Frame pacing sleeps a few milliseconds at a time: Windows' default
    // timer tick (15.6 ms) would make every frame late.
    timeBeginPeriod(1);
#endif
    Engine().SetPlatformLibrary(std::make_unique<TSdlLibrary>());
    // Without a display SDL falls back on a driver that shows nothing; the
    // game would run unseen (or wait for ever for a focus that never
    // comes). Only a user who names such a driver gets it.
    const char* named = SDL_getenv("SDL_VIDEODRIVER");
    const char* driver = SDL_GetCurrentVideoDriver();
    if ((!named || !*named) && driver && IsInvisibleVideoDriver(driver)) {
        error = std::string("Unable to set graphics mode (no display; SDL offers only its '") + driver + "' driver)";
        return false;
    }
    auto window = std::make_unique<TSdlWindow>(options.Windowed, options.WindowWidth, options.WindowHeight);
    TSdlWindow& windowRef = *window;
#ifdef __EMSCRIPTEN__
    // A browser offers WebGL, which is OpenGL ES 2.0.
    SetRenderDriver(std::make_unique<TGles2RenderDriver>(std::move(window)));
#else
    if (options.OpenGLES2) SetRenderDriver(std::make_unique<TGles2RenderDriver>(std::move(window)));
    else SetRenderDriver(std::make_unique<TGLRenderDriver>(std::move(window)));
#endif
    auto system = std::make_unique<TSdlSystemDriver>(windowRef, options.KeyboardFromScript);
    system->SetKeyBindings(options.Keys);
    SetSystemDriver(std::move(system));
    OpenSdlAudio(options.AudioLatencyMs);
    return true;
}

void UsePlatformUserFolder() {
#ifdef __EMSCRIPTEN__
    UseBrowserStorage();
#endif
}

}  // namespace tuublark
