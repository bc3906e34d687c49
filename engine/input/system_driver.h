// The system driver: event pump, millisecond clock and sleeping.
//
// One driver is current at a time. The SDL2 driver lives in
// engine/platform; the headless one here has no events and a real clock.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/input/key_bindings.h"

namespace tuublark {

// The longest a wait or a sleep runs without looking for a stop request.
constexpr int32_t kStopCheckMs = 10;

class TSystemDriver {
public:
    virtual ~TSystemDriver() = default;
    // Handles every pending platform event (window, focus, keys).
    virtual void Poll() = 0;
    virtual int32_t Millisecs() = 0;
    virtual void Delay(int32_t ms) = 0;
    // Called at the start of every frame before the game reads the keys;
    // may block while the game must not run (minimised full screen).
    virtual void BeginFrame(int32_t frame) { (void)frame; }
    // True once the user or the system asked the program to end
    // (window closed, SIGINT, SIGTERM, SIGHUP).
    virtual bool QuitSignalled() const;
    // Which keyboard keys give the game's keys from now on.
    virtual void SetKeyBindings(const TKeyBindings& keys) { (void)keys; }

    // The game's own menus (pause, options) read these, outside the key
    // state that the game's frames read:
    // The next key pressed, as its virtual-key code before any binding
    // (controller buttons as their keys, Start as VkPause); 0 when none.
    virtual int TakeMenuKey() { return 0; }
    // True once after the window lost the keyboard focus.
    virtual bool TakeFocusLost() { return false; }
    // True once after any key, controller button, touch or mouse button was
    // pressed, whatever it is bound to (the title's demo ends on it).
    virtual bool TakeUserActivity() { return false; }
    // Waits up to `ms` for platform events and handles them; returns at
    // once when the run must end. Every wait of the game (minimised,
    // paused, menus) loops on this, so a stop signal ends the run within
    // kStopCheckMs wherever it waits: new waits must use it too.
    virtual void WaitEvents(int32_t ms);
    // Forgets the key presses not yet in the key state that came up to the
    // last menu key taken (releases stay, so no key is left held), e.g.
    // those made during a pause. Keys pressed after it, which no menu took,
    // stay for the game's next frame.
    virtual void DropPendingPresses() {}
    // Forgets every key press and menu key not taken yet (releases stay):
    // input that ended a demo reaches nothing else.
    virtual void DropPendingInput() {}
    // A key event that reaches the key state at the start of the next frame.
    virtual void QueueKey(bool down, int key) { (void)down, (void)key; }
    // Silences the audio output (and lets it go on) without touching the
    // game's channels.
    virtual void PauseAudio(bool paused) { (void)paused; }
    // Full screen or a window from now on.
    virtual void SetFullScreen(bool on) { (void)on; }
    // True when the display is a plain window (neither full screen,
    // minimised nor maximised) that was resized from the size it opened
    // at; `width` x `height` is then its inner size in points.
    virtual bool ResizedWindow(int32_t& width, int32_t& height) const {
        (void)width, (void)height;
        return false;
    }
};

// Sleeps `ms` in slices of kStopCheckMs through `sleep`, ending early once
// `driver` has a stop request.
void SleepUnlessStopped(const TSystemDriver& driver, int32_t ms, void (*sleep)(int32_t ms));

// No events; the clock counts milliseconds since the system started.
class THeadlessSystemDriver : public TSystemDriver {
public:
    THeadlessSystemDriver();
    void Poll() override {}
    int32_t Millisecs() override;
    void Delay(int32_t ms) override;
};

void SetSystemDriver(std::unique_ptr<TSystemDriver> driver);
// The current engine's driver; the headless one until another is set
// (null sets it back).
TSystemDriver& SystemDriver();

void PollSystem();
int32_t Millisecs();
void Delay(int32_t ms);

}  // namespace tuublark
