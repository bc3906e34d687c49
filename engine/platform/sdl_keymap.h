// SDL key events to Windows virtual-key codes.
#pragma once

#include <SDL.h>

namespace tuublark {

struct TVirtualKeys {
    int Key = 0;   // the generic code (16 for either Shift), 0 for none
    int Side = 0;  // the sided code (160..165) for modifiers, else 0
};

// Letters and digits follow the keyboard layout's labels; the other keys
// follow their position.
TVirtualKeys VirtualKeysFor(const SDL_Keysym& keysym);

}  // namespace tuublark
