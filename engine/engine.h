// The engine object: every piece of engine state, the drivers and every
// worker thread, made in one place and torn down in a fixed order.
//
// A program (RunGame, each test program, each benchmark and fuzz target)
// makes one TEngine; while it lives it is the current engine, and the
// engine's free functions (OpenGraphics, DrawImage, LoadSound, KeyIsDown,
// RandomInt, ResolveAssetPath ...) reach it. An engine made while another
// lives replaces it until it goes.
#pragma once

#include <chrono>
#include <cstdint>
#include <future>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/runtime/page_workers.h"

namespace tuublark {

class TRenderDriver;
class TSystemDriver;
class TAudioDriver;
class KeyboardState;
struct TGraphicsState;
struct TDrawState;
struct TFontState;
struct TSampleCache;
struct TSoundPreloads;

// A library the platform started (SDL); shut down after every driver.
class TPlatformLibrary {
public:
    virtual ~TPlatformLibrary() = default;
};

// The engine's fatal error (RaiseRuntimeError). It unwinds through the
// engine object; main reports what() and exits with status 255.
class TEngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TEngine {
public:
    // The headless drivers (no window, no sound, the process clock) and the
    // start states; the data folder is the working directory.
    TEngine();
    // Waits for the workers, then lets go of fonts, drawing state, drivers
    // and the platform library, in that order (see engine.cpp).
    ~TEngine();
    TEngine(const TEngine&) = delete;
    TEngine& operator=(const TEngine&) = delete;

    TSystemDriver& System() { return *system_; }
    TRenderDriver& Render() { return *render_; }
    TAudioDriver& Audio() { return *audio_; }
    void SetSystem(std::unique_ptr<TSystemDriver> driver);
    void SetRender(std::unique_ptr<TRenderDriver> driver);
    void SetAudio(std::unique_ptr<TAudioDriver> driver);
    void SetPlatformLibrary(std::unique_ptr<TPlatformLibrary> library);

    TGraphicsState& Graphics() { return *graphics_; }
    TDrawState& Draw() { return *draw_; }
    TFontState& Fonts() { return *fonts_; }
    KeyboardState& Keyboard() { return *keyboard_; }
    int32_t& RandomState() { return randomState_; }
    std::string& DataFolder() { return dataFolder_; }
    TSampleCache& Samples() { return *samples_; }
    TSoundPreloads& Preloads() { return *preloads_; }
    // Held while a picture file is decoded and made an image, so that the
    // start-up check and the game's own loading never hold two large
    // pictures in memory at once.
    std::mutex& PictureLoading() { return pictureLoading_; }

    // Runs `work` on a thread of its own (in the browser: on a page worker,
    // see page_workers.h) and gives its result. The engine waits for it
    // before it lets go of anything the work may use.
    template <typename F>
    auto StartWorker(F work) -> std::shared_future<decltype(work())> {
        using TResult = decltype(work());
        auto task = std::make_shared<std::packaged_task<TResult()>>(std::move(work));
        std::shared_future<TResult> result = task->get_future().share();
#ifdef __EMSCRIPTEN__
        StartPageWorker([task] { (*task)(); });
#else
        std::lock_guard<std::mutex> hold(workersLock_);
        ForgetFinishedWorkers();
        workers_.push_back(std::async(std::launch::async, [task] { (*task)(); }));
#endif
        return result;
    }
    // The result of StartWorker's work, waiting for it; in the browser, the
    // work is run until it is done.
    template <typename T>
    static T Await(const std::shared_future<T>& result) {
#ifdef __EMSCRIPTEN__
        RunPageWorkersUntil(
            [&result] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
#endif
        return result.get();
    }
    // Waits for every worker started so far.
    void WaitForWorkers();

private:
    void ForgetFinishedWorkers();

    TEngine* previous_;
    // Declared in the order they are made; ~TEngine lets go of them in an
    // explicit order.
    std::unique_ptr<TPlatformLibrary> platform_;
    std::string dataFolder_ = ".";
    int32_t randomState_;
    std::unique_ptr<KeyboardState> keyboard_;
    std::unique_ptr<TSystemDriver> system_;
    std::unique_ptr<TGraphicsState> graphics_;
    std::unique_ptr<TRenderDriver> render_;
    std::unique_ptr<TDrawState> draw_;
    std::unique_ptr<TFontState> fonts_;
    std::unique_ptr<TAudioDriver> audio_;
    std::unique_ptr<TSampleCache> samples_;
    std::unique_ptr<TSoundPreloads> preloads_;
    std::mutex pictureLoading_;
    std::mutex workersLock_;
    std::vector<std::future<void>> workers_;
};

// The current engine. A call with none is a fault of the program: it stops
// with a message.
TEngine& Engine();

}  // namespace tuublark
