// Pausing a game: P, Pause/Break or a controller's Start during a game, or
// the window losing the keyboard focus. No frame runs while paused; the
// last frame stays on screen, dimmed, with the keys that resume and leave.
#pragma once

#include <functional>

#include "engine/image/pixmap.h"
#include "engine/input/key_bindings.h"

namespace tuublark {

struct GameState;
class TMenuDrawing;

// What the player asked for outside the game's keys since the last call.
enum class TMenuRequest { None, Pause, Options };

// Reads the menu keys and the focus of this frame, judged by `screen`, the
// screen the frame began on (a controller's Start that begins a game on
// the title screen does not also pause it): Pause during a game (P or
// Pause not bound to a game key, a controller's Start, or focus lost),
// Options on the title screen (O or a controller's Y).
TMenuRequest TakeMenuRequest(int32_t screen, const TKeyBindings& keys);

// Waits, with the audio paused, until the player resumes with the key
// that paused, or leaves with Escape: then an Escape press and release
// reach the key state at the start of the next frame, so the game is left
// exactly as the Escape key leaves it, and recorded so. Ends early when
// `stop` says so. `still` is the last frame, shown dimmed.
// The pause picture, not yet presented.
void DrawPauseMenu(TMenuDrawing& menu);

void RunPause(const PixmapRef& still, const std::function<bool()>& stop);

}  // namespace tuublark
