// Which drawing or sound makes each game file, and where it is written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tuublark::assetgen {

// The bytes of the game file `path` ("graphics/Ely1.bmp"). False with
// `error` set when the generator does not know the file.
bool MakeAssetFile(const std::string& path, const std::string& fontPath, std::vector<uint8_t>& bytes,
                   std::string& error);

// The path a game file is written to under the data folder. The game finds
// "graphics/" and "Graphics/" (and "hippo2" and "Hippo2") as one file by
// matching names ignoring case, so each name is written once, in the
// spelling of its first appearance in `allPaths`.
std::string OutputPath(const std::string& path, const std::vector<std::string>& allPaths);

}  // namespace tuublark::assetgen
