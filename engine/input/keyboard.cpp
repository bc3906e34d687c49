#include "engine/input/keyboard.h"

#include "engine/engine.h"
#include "engine/input/system_driver.h"

namespace tuublark {

static bool InRange(int key) { return key >= 1 && key <= 255; }

void KeyboardState::Press(int key) {
    if (!InRange(key)) return;
    if (listener_) listener_(true, key);
    if (downs_[key]) return;
    if (hits_[key] < 255) hits_[key] += 1;
    downs_[key] = 1;
}

void KeyboardState::Release(int key) {
    if (!InRange(key)) return;
    if (listener_) listener_(false, key);
    downs_[key] = 0;
}

int32_t KeyboardState::TakeHits(int key) {
    if (!InRange(key)) return 0;
    int32_t n = hits_[key];
    hits_[key] = 0;
    return n;
}

int32_t KeyboardState::IsDown(int key) const { return InRange(key) ? downs_[key] : 0; }

void KeyboardState::Flush() {
    hits_.fill(0);
    downs_.fill(0);
    charPut_ = charGet_ = 0;
}

void KeyboardState::QueueChar(uint16_t code) {
    if (charPut_ - charGet_ >= 256) return;
    chars_[charPut_ % 256] = code;
    charPut_ += 1;
}

uint16_t KeyboardState::TakeChar() {
    if (charGet_ == charPut_) return 0;
    uint16_t code = chars_[charGet_ % 256];
    charGet_ += 1;
    return code;
}

KeyboardState& Keyboard() { return Engine().Keyboard(); }

int32_t KeyHitCount(int key) {
    PollSystem();
    return Keyboard().TakeHits(key);
}

int32_t KeyIsDown(int key) {
    PollSystem();
    return Keyboard().IsDown(key);
}

void FlushKeys() {
    PollSystem();
    Keyboard().Flush();
}

uint16_t GetChar() {
    PollSystem();
    return Keyboard().TakeChar();
}

}  // namespace tuublark
