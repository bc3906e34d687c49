// The system driver: event pump, millisecond clock and sleeping.
//
// One driver is current at a time. The SDL2 driver lives in
// engine/platform; the headless one here has no events and a real clock.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/input/key_bindings.h"

namespace tuublark {

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
    // (window closed, SIGINT, SIGTERM).
    virtual bool QuitSignalled() const { return false; }
    // Which keyboard keys give the game's keys from now on.
    virtual void SetKeyBindings(const TKeyBindings& keys) { (void)keys; }
};

// No events; the clock counts milliseconds since the system started.
class THeadlessSystemDriver : public TSystemDriver {
public:
    THeadlessSystemDriver();
    void Poll() override {}
    int32_t Millisecs() override;
    void Delay(int32_t ms) override;
};

void SetSystemDriver(std::unique_ptr<TSystemDriver> driver);
// The current driver; a headless one until another is set.
TSystemDriver& SystemDriver();

void PollSystem();
int32_t Millisecs();
void Delay(int32_t ms);

}  // namespace tuublark
