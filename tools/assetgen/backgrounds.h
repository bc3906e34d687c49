// The ten full-screen backgrounds, one per skin, each its own landscape
// and palette, kept calm behind the board and the panel.
#pragma once

#include "tools/assetgen/bmp_writer.h"

namespace tuublark::assetgen {

constexpr int kBackgroundWidth = 800;
constexpr int kBackgroundHeight = 600;

// number 1..10
Picture DrawBackground(int number);

}  // namespace tuublark::assetgen
