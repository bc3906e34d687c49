// The two effect sounds: the rising sweep of a skin change and the bleep
// of a cleared group.
#pragma once

#include "tools/assetgen/drum_loops.h"
#include "tools/assetgen/synth.h"

namespace tuublark::assetgen {

// Both effects are this loud: a little above the drum loops, so a cleared
// group is heard over the music without jumping out of it.
constexpr double kEffectLoudness = kLoopLoudness + 2.0;

StereoBuffer RenderTransition();
StereoBuffer RenderBleepEcho();

}  // namespace tuublark::assetgen
