// The board, panel and effect pictures: grid, marker dots, sweep arrow,
// reticule, panel tags, title instructions, game-over sign, skin-up burst,
// triggered, flash, explosion and square-burst cells.
#pragma once

#include <string>

#include "tools/assetgen/bmp_writer.h"

namespace tuublark::assetgen {

Picture DrawGrid();
Picture DrawMarkerDots();
Picture DrawWipeArrow();
Picture DrawReticule();
// `label` is the text on the tag ("LEVEL", "TIME", ...).
Picture DrawTag(const std::string& label, int hue);
Picture DrawInstructions();
Picture DrawGameOver();
Picture DrawSkinup();
Picture DrawTriggered(bool light);
Picture DrawYellowFlash();
Picture DrawExplosion();
Picture DrawSquareBurst();
Picture DrawBlankCell();

}  // namespace tuublark::assetgen
