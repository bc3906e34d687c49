// Files the game keeps for its player: where they live, and writing them
// so that a crash or a full disk never leaves a half-written file behind.
#pragma once

#include <functional>
#include <string>

namespace tuublark {

// $XDG_DATA_HOME/tuublark (default ~/.local/share/tuublark); "" when
// neither the variable nor HOME gives an absolute folder.
std::string UserDataFolder();
// $XDG_CONFIG_HOME/tuublark (default ~/.config/tuublark); "" likewise.
// On Windows both folders are %APPDATA%\tuublark.
std::string UserConfigFolder();

// The browser build (POSIX file functions on the page's own file system):
// both folders are `folder`, and `hook` runs after each file written, to
// keep it in the browser's storage.
void SetUserFolder(const std::string& folder);
void SetSaveHook(std::function<void()> hook);

// Reads a whole file; false with `error` set (path and reason) when it is
// missing, not a plain file or unreadable. `missing` tells the first case.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error, bool* missing = nullptr);

// Writes `text` to a temporary file beside `path`, flushes it to the disk
// and renames it over `path`, creating the folder first. Either the old or
// the new content is there afterwards, whatever happens during the write.
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error);

}  // namespace tuublark
