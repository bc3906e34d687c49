// The start-up check of the asset files: before the display opens, every
// picture, the font and every sound the game may read must be present and
// readable by the game's own loaders.
#pragma once

#include <string>
#include <vector>

namespace tuublark {

// One line per problem, in the order of AllAssetPaths(): "Missing asset:
// <path>" for a file that no path lookup finds, "Unreadable asset: <path>"
// for one that exists but that its loader rejects. Empty when all is well.
std::vector<std::string> FindAssetProblems();

// Writes every problem line to standard error; false when there was any.
bool CheckAssets();

}  // namespace tuublark
