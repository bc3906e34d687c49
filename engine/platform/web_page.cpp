#include "engine/platform/web_page.h"

#include <SDL.h>

#include <emscripten.h>

#include "engine/runtime/user_files.h"

// The page (web/page.js) keeps the figures and the state a test reads in
// Module.tuublark.

// Resumes at the browser's next animation frame; returns its time.
EM_JS(double, AwaitAnimationFrame, (), {
    return Asyncify.handleSleep(function(wakeUp) { requestAnimationFrame(function() { wakeUp(performance.now()); }); });
});

EM_JS(double, PageMillis, (), { return performance.now(); });

EM_JS(void, FlushToStorage, (), { Module.tuublark.flushStorage(); });

EM_JS(void, FrameShown, (), { Module.tuublark.frameShown(); });

// Called by the page's touch buttons: `button` is an SDL game controller
// button, pressed or let go.
extern "C" EMSCRIPTEN_KEEPALIVE void TuublarkTouchButton(int button, int down) {
    SDL_Event event{};
    event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    event.cbutton.which = tuublark::kTouchPadId;
    event.cbutton.button = static_cast<Uint8>(button);
    event.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

namespace tuublark {

void WaitForAnimationFrames(int32_t ms) {
    const double until = PageMillis() + ms - 1000.0 / 60 / 4;
    while (AwaitAnimationFrame() < until) {
    }
}

void UseBrowserStorage() {
    char* folder = SDL_GetPrefPath("", "tuublark");
    if (folder) {
        SetUserFolder(folder);
        SDL_free(folder);
    }
    SetSaveHook([] { FlushToStorage(); });
}

void NotifyFrameShown() { FrameShown(); }

}  // namespace tuublark
