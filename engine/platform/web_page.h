// The game as a web page: what the browser build needs of the page around
// it (web/). Built for the browser only.
//
// - Frames: the pacing's waits become waits for the browser's animation
//   frames, which show what was drawn before them and stop in a hidden tab.
// - Touch: the page's buttons are one more game controller, with the
//   desktop's button map, so touch reaches the key state like any input.
// - Kept files: the player's folder is SDL's preference path, kept by the
//   page in the browser's storage; each save is written through at once.
#pragma once

#include <cstdint>

namespace tuublark {

// The joystick instance id that the page's touch buttons use.
constexpr int32_t kTouchPadId = -2;

// Gives the browser its animation frames until `ms` milliseconds have
// passed, less a quarter of a frame (the next one would come too late).
void WaitForAnimationFrames(int32_t ms);

// Keeps the player's files under SDL's preference path and flushes each
// save to the browser's storage.
void UseBrowserStorage();

// Tells the page that a frame was handed over to be shown. A frame that did
// not wait for an animation frame (it was late) waits for one here.
void NotifyFrameShown();

}  // namespace tuublark
