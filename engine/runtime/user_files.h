// Files the game keeps for its player: where they live, and writing them
// so that a crash or a full disk never leaves a half-written file behind.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace tuublark {

// $XDG_DATA_HOME/tuublark (default ~/.local/share/tuublark); "" when
// neither the variable nor HOME gives an absolute folder.
std::string UserDataFolder();
// $XDG_CONFIG_HOME/tuublark (default ~/.config/tuublark); "" likewise.
// On Windows both folders are %APPDATA%\tuublark.
std::string UserConfigFolder();

// These files hold a few lines; a larger one is not the game's and is
// neither read nor replaced.
constexpr size_t kKeptFileLimit = 1u << 20;
// The browser build (POSIX file functions on the page's own file system):
// both folders are `folder`, and `hook` runs after each file written, to
// keep it in the browser's storage.
void SetUserFolder(const std::string& folder);
void SetSaveHook(std::function<void()> hook);

// Reads a whole file; false with `error` set (path and reason) when it is
// missing, not a plain file, larger than kKeptFileLimit or unreadable.
// `missing` tells the first case.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error, bool* missing = nullptr);

// Writes `text` to a temporary file beside `path`, flushes it to the disk
// and renames it over `path`, creating the folder first (new folders are
// the user's alone, 0700). Either the old or the new content is there
// afterwards, whatever happens during the write. A symbolic link is
// written through to its target, and the file keeps its permission bits.
// A file without its owner's write permission is left alone: false, with
// `readOnly` set.
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error,
                         bool* readOnly = nullptr);

// Reads `path` and writes what `change` makes of it, with no other process
// using this function on the same folder in between. `change` gets the
// current text (nullptr when the file is missing or unreadable) and
// returns false to leave the file as it is. False with `error` set when the
// file cannot be written.
bool UpdateFileAtomically(const std::string& path,
                          const std::function<bool(const std::string* current, std::string& text)>& change,
                          std::string& error);

}  // namespace tuublark
