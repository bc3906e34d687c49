#include "engine/engine.h"

#include <cstdio>
#include <cstdlib>

#include "engine/audio/sample_loader.h"
#include "engine/audio/sound.h"
#include "engine/audio/sound_preload.h"
#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"
#include "engine/image/draw.h"
#include "engine/input/keyboard.h"
#include "engine/input/random.h"
#include "engine/input/system_driver.h"
#include "engine/text/font.h"

namespace tuublark {
namespace {

TEngine* g_current = nullptr;

}  // namespace

TEngine::TEngine()
    : previous_(g_current),
      randomState_(kUnseededRandomState),
      keyboard_(std::make_unique<KeyboardState>()),
      system_(std::make_unique<THeadlessSystemDriver>()),
      graphics_(std::make_unique<TGraphicsState>()),
      render_(std::make_unique<TRenderDriver>()),
      draw_(std::make_unique<TDrawState>()),
      fonts_(std::make_unique<TFontState>()),
      audio_(std::make_unique<TAudioDriver>()),
      samples_(std::make_unique<TSampleCache>()),
      preloads_(std::make_unique<TSoundPreloads>()) {
    g_current = this;
}

TEngine::~TEngine() {
    // Workers decode files into the sample cache and make sounds with the
    // audio driver: they finish first.
    WaitForWorkers();
    preloads_.reset();
    // Glyph and image frames belong to the render driver.
    fonts_.reset();
    draw_.reset();
    // The system driver pumps the window the render driver owns.
    keyboard_->SetListener(nullptr);
    system_.reset();
    render_->CloseGraphics();
    render_.reset();
    audio_.reset();
    samples_.reset();
    // SDL goes last: the drivers above were its users.
    platform_.reset();
    g_current = previous_;
}

void TEngine::SetSystem(std::unique_ptr<TSystemDriver> driver) { system_ = std::move(driver); }
void TEngine::SetRender(std::unique_ptr<TRenderDriver> driver) { render_ = std::move(driver); }
void TEngine::SetAudio(std::unique_ptr<TAudioDriver> driver) { audio_ = std::move(driver); }
void TEngine::SetPlatformLibrary(std::unique_ptr<TPlatformLibrary> library) { platform_ = std::move(library); }

void TEngine::ForgetFinishedWorkers() {
    for (size_t i = 0; i < workers_.size();) {
        if (workers_[i].wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
            workers_.erase(workers_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void TEngine::WaitForWorkers() {
#ifdef __EMSCRIPTEN__
    RunPageWorkersUntil([] { return false; });
#endif
    std::vector<std::future<void>> running;
    {
        std::lock_guard<std::mutex> hold(workersLock_);
        running.swap(workers_);
    }
    for (std::future<void>& worker : running) worker.wait();
}

TEngine& Engine() {
    if (!g_current) {
        std::fputs("tuublark: the engine is used before it is made\n", stderr);
        std::abort();
    }
    return *g_current;
}

}  // namespace tuublark
