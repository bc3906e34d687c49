// Where the game's asset files are found.
//
// Game paths are relative ("backgrounds/BG01.bmp") and name one folder both
// as "graphics/" and "Graphics/". They are looked up in the data folder:
// the working directory when it holds "backgrounds/", else the folder of
// the executable, else "../share/games/tuublark" from the executable's
// folder (an installed game). Each path component that
// does not exist as written is matched ignoring letter case.
#pragma once

#include <string>

namespace tuublark {

// Chooses the data folder once, from the working directory and the
// executable's path (argv[0] or /proc/self/exe).
void InitDataFolder(const std::string& executablePath);
// Overrides the data folder (tests, tools).
void SetDataFolder(const std::string& folder);
const std::string& DataFolder();

// The real file system path of a game path, or "" when no file matches.
// Absolute paths are resolved component by component in the same way.
std::string ResolveAssetPath(const std::string& path);

}  // namespace tuublark
