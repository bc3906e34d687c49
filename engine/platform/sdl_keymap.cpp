#include "engine/platform/sdl_keymap.h"

namespace tuublark {

TVirtualKeys VirtualKeysFor(const SDL_Keysym& keysym) {
    SDL_Keycode key = keysym.sym;
    if (key >= SDLK_a && key <= SDLK_z) return {static_cast<int>('A' + (key - SDLK_a)), 0};
    if (key >= SDLK_0 && key <= SDLK_9) return {static_cast<int>('0' + (key - SDLK_0)), 0};
    switch (keysym.scancode) {
        case SDL_SCANCODE_LSHIFT: return {16, 160};
        case SDL_SCANCODE_RSHIFT: return {16, 161};
        case SDL_SCANCODE_LCTRL: return {17, 162};
        case SDL_SCANCODE_RCTRL: return {17, 163};
        case SDL_SCANCODE_LALT: return {18, 164};
        case SDL_SCANCODE_RALT: return {18, 165};
        case SDL_SCANCODE_BACKSPACE: return {8, 0};
        case SDL_SCANCODE_TAB: return {9, 0};
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER: return {13, 0};
        case SDL_SCANCODE_PAUSE: return {19, 0};
        case SDL_SCANCODE_CAPSLOCK: return {20, 0};
        case SDL_SCANCODE_ESCAPE: return {27, 0};
        case SDL_SCANCODE_SPACE: return {32, 0};
        case SDL_SCANCODE_PAGEUP: return {33, 0};
        case SDL_SCANCODE_PAGEDOWN: return {34, 0};
        case SDL_SCANCODE_END: return {35, 0};
        case SDL_SCANCODE_HOME: return {36, 0};
        case SDL_SCANCODE_LEFT: return {37, 0};
        case SDL_SCANCODE_UP: return {38, 0};
        case SDL_SCANCODE_RIGHT: return {39, 0};
        case SDL_SCANCODE_DOWN: return {40, 0};
        case SDL_SCANCODE_INSERT: return {45, 0};
        case SDL_SCANCODE_DELETE: return {46, 0};
        default: break;
    }
    if (keysym.scancode >= SDL_SCANCODE_F1 && keysym.scancode <= SDL_SCANCODE_F12)
        return {112 + (keysym.scancode - SDL_SCANCODE_F1), 0};
    if (keysym.scancode >= SDL_SCANCODE_KP_1 && keysym.scancode <= SDL_SCANCODE_KP_9)
        return {97 + (keysym.scancode - SDL_SCANCODE_KP_1), 0};
    if (keysym.scancode == SDL_SCANCODE_KP_0) return {96, 0};
    return {0, 0};
}

}  // namespace tuublark
