// Key state counted from key events, indexed by Windows virtual-key codes.
//
// Whatever produces key events (the platform's event pump or a replay
// script) calls Press and Release; the game reads through KeyHitCount and
// KeyIsDown, each of which pumps pending events first.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace tuublark {

enum VirtualKey : int {
    VkShift = 16,
    VkControl = 17,
    VkAlt = 18,
    VkEnter = 13,
    VkPause = 19,
    VkEscape = 27,
    VkSpace = 32,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkA = 65,
    VkO = 79,
    VkP = 80,
    VkS = 83,
    VkF1 = 112,
    VkLeftShift = 160,
    VkRightShift = 161,
    VkLeftControl = 162,
    VkRightControl = 163,
    VkLeftAlt = 164,
    VkRightAlt = 165,
};

class KeyboardState {
public:
    // A press of a key that is not held counts one hit and marks it held;
    // a press of a held key (an auto-repeat) counts nothing.
    void Press(int key);
    void Release(int key);
    // Presses since the last call for that key; clears the count.
    int32_t TakeHits(int key);
    int32_t IsDown(int key) const;
    void Flush();
    // Told of every Press and Release, e.g. to record them.
    void SetListener(std::function<void(bool down, int key)> listener) { listener_ = std::move(listener); }
    void QueueChar(uint16_t code);
    // Next queued character or 0.
    uint16_t TakeChar();

private:
    std::array<uint8_t, 256> hits_{};
    std::array<uint8_t, 256> downs_{};
    std::array<uint16_t, 256> chars_{};
    int32_t charPut_ = 0;
    int32_t charGet_ = 0;
    std::function<void(bool, int)> listener_;
};

// The current engine's keyboard state.
KeyboardState& Keyboard();

// Game-facing reads; each pumps pending events first.
int32_t KeyHitCount(int key);
int32_t KeyIsDown(int key);
void FlushKeys();
uint16_t GetChar();

}  // namespace tuublark
