#include "engine/platform/web_page.h"

#include <SDL.h>

#include <emscripten.h>

#include "engine/runtime/page_workers.h"
#include "engine/runtime/user_files.h"

// The page (web/page.js) keeps the figures and the state a test reads in
// Module.tuublark.

// Resumes at the browser's next animation frame; returns its time. When
// the game ends after that, the runtime's exit unwinds with an ExitStatus,
// which has been dealt with (the page has its status): it must not reach
// the browser as an uncaught error.
EM_JS(double, AwaitAnimationFrame, (), {
    return Asyncify.handleSleep(function(wakeUp) {
        requestAnimationFrame(function() {
            try {
                wakeUp(performance.now());
            } catch (e) {
                if (!(e instanceof ExitStatus)) throw e;
            }
        });
    });
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
namespace {

// Whether the frame being made has given the browser its turn yet.
bool g_yieldedThisFrame = false;

}  // namespace

constexpr double kFrameMillis = 1000.0 / 60;

void WaitForAnimationFrames(int32_t ms) {
    constexpr double kQuarterFrame = kFrameMillis / 4;
    const double until = PageMillis() + ms - kQuarterFrame;
    // Work beside the game (a drum loop decoding) gets the time the frame
    // left, less a margin for the browser's own work before the next frame.
    RunPageWorkersUntil(until - kQuarterFrame);
    while (AwaitAnimationFrame() < until) {
    }
    g_yieldedThisFrame = true;
}

void UseBrowserStorage() {
    char* folder = SDL_GetPrefPath("", "tuublark");
    if (folder) {
        SetUserFolder(folder);
        SDL_free(folder);
    }
    SetSaveHook([] { FlushToStorage(); });
}

// A late frame has no wait before it. The browser shows a frame, and runs
// the page's events and sound, only when the game gives it control back:
// without this a machine too slow for 60 frames a second would never get
// its turn and the page would hang. Work beside the game gets an eighth of
// a frame too: else on such a machine it would never run, and the frame
// that needs its result (a new game's drum loop) would do all of it.
void NotifyFrameShown() {
    if (!g_yieldedThisFrame) {
        RunPageWorkersUntil(PageMillis() + kFrameMillis / 8);
        AwaitAnimationFrame();
    }
    g_yieldedThisFrame = false;
    FrameShown();
}

}  // namespace tuublark
