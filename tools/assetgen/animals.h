// The seven animals of the cells: each as a light tile (colour A), a dark
// tile (colour B), a glowing tile (marked cells) and a startled face on the
// mask colour (the shock effect over a new square).
#pragma once

#include <string>

#include "tools/assetgen/bmp_writer.h"

namespace tuublark::assetgen {

enum class AnimalLook { Light, Dark, Lit, Shock };

// Size of the cell pictures: drawn at scale 0.8 they fill a 30-pixel cell
// with a small gap, at scale 2.0 they cover a two-by-two square.
constexpr int kCellPictureSize = 34;

// Names as in the file names: "Ely", "Hippo", "Panda", "Ape", "Lion",
// "Croc", "Giraffe" (matched ignoring case).
bool IsAnimal(const std::string& name);
Picture DrawAnimal(const std::string& name, AnimalLook look);

}  // namespace tuublark::assetgen
