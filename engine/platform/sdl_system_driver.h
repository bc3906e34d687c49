// The SDL2 system driver: pumps window and key events, keeps the game
// still while it must not run, and reads the clock.
//
// Key events reach the key state at the start of a frame, before the game
// reads the keys, so a frame sees all of an event or none of it and a
// recorded game replays exactly.
#pragma once

#include <deque>
#include <utility>
#include <vector>

#include "engine/input/system_driver.h"
#include "engine/platform/sdl_controllers.h"
#include "engine/platform/sdl_window.h"
#include "engine/platform/web_page.h"

namespace tuublark {

class TSdlSystemDriver : public TSystemDriver {
public:
    // `window` is owned by the render driver and outlives this driver.
    TSdlSystemDriver(TSdlWindow& window, bool keyboardFromScript);

    void Poll() override;
    // Milliseconds since the system started (not since SDL started), so the
    // clock-seeded piece sequence differs from run to run.
    int32_t Millisecs() override { return clock_.Millisecs(); }
#ifdef __EMSCRIPTEN__
    // The page waits for the browser's animation frames, which show the
    // picture drawn before the wait.
    void Delay(int32_t ms) override { WaitForAnimationFrames(ms); }
#else
    void Delay(int32_t ms) override {
        SleepUnlessStopped(*this, ms, [](int32_t slice) { SDL_Delay(static_cast<Uint32>(slice)); });
    }
#endif
    // Waits, with the audio paused, while the window is minimised, or
    // unfocused in full screen, or its page is hidden; the game resumes
    // where it stopped.
    void BeginFrame(int32_t frame) override;
    bool QuitSignalled() const override { return quit_ || TSystemDriver::QuitSignalled(); }
    void SetKeyBindings(const TKeyBindings& keys) override { keys_ = keys; }
    int TakeMenuKey() override;
    bool TakeFocusLost() override;
    bool TakeUserActivity() override;
    void WaitEvents(int32_t ms) override;
    void DropPendingPresses() override;
    void DropPendingInput() override;
    void QueueKey(bool down, int key) override { pendingKeys_.emplace_back(down, key); }
    void PauseAudio(bool paused) override;
    void SetFullScreen(bool on) override {
        if (window_.IsFullScreen() != on) window_.ToggleFullScreen();
    }
    bool ResizedWindow(int32_t& width, int32_t& height) const override { return window_.Resized(width, height); }

private:
    void Handle(const SDL_Event& event);
    bool MustWait() const;
    void ApplyPendingKeys();
    void QueueDeviceKey(bool down, int key);
    void QueueMenuKey(int key);

    TSdlWindow& window_;
    bool keyboardFromScript_;
    THeadlessSystemDriver clock_;
    TKeyBindings keys_;
    bool quit_ = false;
    std::vector<std::pair<bool, int>> pendingKeys_;  // (down, virtual key)
    // Menu presses wait with the key events; they are handed out once the
    // frame they came before has begun (or while the game waits in a menu).
    // Each keeps how many key events of pendingKeys_ came before it, so a
    // menu that closes drops only the presses it took.
    struct TMenuKey {
        int Key;
        size_t EventsBefore;
    };
    std::deque<TMenuKey> pendingMenuKeys_;
    std::deque<TMenuKey> menuKeys_;
    TSdlControllers controllers_;
    bool focusLost_ = false;
    bool activity_ = false;
};

}  // namespace tuublark
