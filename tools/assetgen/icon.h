// The desktop icon: four of the title's letter blocks as one falling piece.
#pragma once

#include <string>

namespace tuublark::assetgen {

// The icon sizes the desktop asks for, in pixels.
inline constexpr int kIconSizes[] = {48, 128, 256};

// Draws the icon `size` pixels square and writes it as PNG to `path`.
// The text face must be loaded. False when the file cannot be written.
bool WriteIcon(int size, const std::string& path);

}  // namespace tuublark::assetgen
