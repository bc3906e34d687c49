// The two effect sounds: the rising sweep of a skin change and the bleep
// of a cleared group.
#pragma once

#include "tools/assetgen/synth.h"

namespace tuublark::assetgen {

StereoBuffer RenderTransition();
StereoBuffer RenderBleepEcho();

}  // namespace tuublark::assetgen
