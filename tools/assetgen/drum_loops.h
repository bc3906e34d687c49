// The ten drum loops, one per skin. Each lasts exactly one sweep pass of
// its skin, in the game's own frames at 735 samples each, and holds whole
// bars, so the restart at every pass meets the end of the previous start
// and lands on the beat. All ten are equally loud.
#pragma once

#include "tools/assetgen/synth.h"

namespace tuublark::assetgen {

// Integrated loudness of every loop (LUFS). Low enough that a loop at the
// game's channel volume with an effect on its loudest beat stays below
// -1 dBFS.
constexpr double kLoopLoudness = -18.0;

// Samples of loop `number` (1..10): the frames of one sweep pass at the
// skin's speed, counted as the game counts them, times 735.
long DrumLoopFrames(int number);
StereoBuffer RenderDrumLoop(int number);

}  // namespace tuublark::assetgen
