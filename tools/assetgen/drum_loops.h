// The ten drum loops, one per skin. Each lasts exactly one sweep pass of
// its skin (480 pixels at N pixels per second) and holds a whole number of
// beats, so the restart at every pass lands on the beat.
#pragma once

#include "tools/assetgen/synth.h"

namespace tuublark::assetgen {

// Sweep speeds of the skins in pixels per second, skin 1..10.
constexpr int kSweepPixelsPerSecond[10] = {120, 145, 134, 77, 133, 174, 103, 88, 90, 60};

// Frames of loop `number` (1..10): 44100 * 480 / N, rounded to the nearest.
long DrumLoopFrames(int number);
StereoBuffer RenderDrumLoop(int number);

}  // namespace tuublark::assetgen
