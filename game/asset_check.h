// The start-up check of the asset files: every picture, the font and every
// sound the game may read must be present and readable by the game's own
// loaders.
//
// Presence is checked before the display opens. Decoding every file takes
// a good part of a second, so it runs on a thread of its own while the
// display opens and the pictures load; the decoded sounds are kept for the
// game's own loads.
#pragma once

#include <future>
#include <string>
#include <vector>

namespace tuublark {

// "Missing asset: <path>" for each file that no path lookup finds, in the
// order of AllAssetPaths().
std::vector<std::string> FindMissingAssets();
// "Unreadable asset: <path>" for each file that exists but that its loader
// rejects, in the same order.
std::vector<std::string> FindUnreadableAssets();
// Both kinds, in path order: empty when all is well.
std::vector<std::string> FindAssetProblems();

// Writes each problem line to standard error; false when there was any.
bool ReportAssetProblems(const std::vector<std::string>& problems);

// FindUnreadableAssets on an engine worker.
std::shared_future<std::vector<std::string>> StartDecodeCheck();

}  // namespace tuublark
