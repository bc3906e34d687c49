// The demo on the title screen: after a while with no key, button or
// touch, the built-in player plays a game with "DEMO" shown. It runs
// between two frames of the title, on a copy of the game state, like the
// game's menus: the title's frames, its random sequence, its high score
// and any record or trace of the run go on as if it had not been.
#pragma once

#include <functional>

namespace tuublark {

struct GameState;

// Plays the demo from the title `title` until the demo game is over, or
// until any key, button, touch or a lost focus ends it (that input then
// does nothing else), or `stop` says so. The key state's listener must be
// off while it runs.
void RunDemo(const GameState& title, const std::function<bool()>& stop);

}  // namespace tuublark
