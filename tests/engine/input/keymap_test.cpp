#include <gtest/gtest.h>

#include "engine/input/keyboard.h"
#include "engine/platform/sdl_keymap.h"

namespace tuublark {
namespace {

SDL_Keysym Keysym(SDL_Scancode scancode, SDL_Keycode sym) {
    SDL_Keysym k{};
    k.scancode = scancode;
    k.sym = sym;
    return k;
}

TEST(KeyMap, LettersFollowTheLayoutsLabels) {
    // On an AZERTY keyboard the key in the QWERTY "A" position is labelled Q.
    EXPECT_EQ(VirtualKeysFor(Keysym(SDL_SCANCODE_A, SDLK_q)).Key, 'Q');
    EXPECT_EQ(VirtualKeysFor(Keysym(SDL_SCANCODE_Q, SDLK_a)).Key, VkA);
    EXPECT_EQ(VirtualKeysFor(Keysym(SDL_SCANCODE_S, SDLK_s)).Key, VkS);
}

TEST(KeyMap, ModifiersCarryTheirSide) {
    TVirtualKeys left = VirtualKeysFor(Keysym(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT));
    EXPECT_EQ(left.Key, VkShift);
    EXPECT_EQ(left.Side, VkLeftShift);
    EXPECT_EQ(VirtualKeysFor(Keysym(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT)).Side, VkRightShift);
    EXPECT_EQ(VirtualKeysFor(Keysym(SDL_SCANCODE_LCTRL, SDLK_LCTRL)).Side, VkLeftControl);
    EXPECT_EQ(VirtualKeysFor(Keysym(SDL_SCANCODE_RCTRL, SDLK_RCTRL)).Side, VkRightControl);
    EXPECT_EQ(VirtualKeysFor(Keysym(SDL_SCANCODE_LALT, SDLK_LALT)).Key, VkAlt);
    EXPECT_EQ(VirtualKeysFor(Keysym(SDL_SCANCODE_RALT, SDLK_RALT)).Side, VkRightAlt);
}

}  // namespace
}  // namespace tuublark
