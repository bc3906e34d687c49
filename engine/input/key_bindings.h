// Which keyboard key gives each of the game's eight keys.
//
// The game reads fixed virtual-key codes; a binding turns a press of the
// chosen key into a press of the game's code before it reaches the key
// state, so records and replays hold the game's codes whatever the
// bindings were.
#pragma once

#include <array>
#include <string>

#include "engine/input/keyboard.h"

namespace tuublark {

constexpr int kGameKeyCount = 8;
// The game's keys in the order of the options screen and the settings file.
constexpr std::array<int, kGameKeyCount> kGameKeys = {VkLeft, VkRight, VkUp, VkDown, VkA, VkS, VkSpace, VkEscape};

struct TKeyBindings {
    // The keyboard key (a virtual-key code) bound to each game key.
    std::array<int, kGameKeyCount> Keys = kGameKeys;

    // The code a press of keyboard key `key` gives: its game key when bound,
    // 0 for a game key's own code left without a binding, else `key` itself.
    int Translate(int key) const;
    // Binds keyboard key `key` to game key number `index`; a game key that
    // had `key` takes the old key of `index`, so every game key keeps one.
    void Bind(int index, int key);
    bool operator==(const TKeyBindings& other) const { return Keys == other.Keys; }
};

// Names of keyboard keys in the settings file and on the options screen:
// "Left", "Space", "F1", "A", "7"...; a key without a name is "Code<n>"
// with its virtual-key code. Parsing ignores letter case; -1 when the text names no key 1..255.
std::string KeyLabel(int key);
int ParseKeyLabel(const std::string& text);

}  // namespace tuublark
