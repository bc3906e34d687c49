// The high score kept between runs, $XDG_DATA_HOME/tuublark/highscore: the
// number and a newline.
#pragma once

#include <cstdint>
#include <string>

namespace tuublark {

// The high score a run starts from when no file says more.
constexpr int32_t kDefaultHighScore = 10000;

// The file's path; "" when no home folder is known.
std::string HighScorePath();

// The kept high score, at least kDefaultHighScore. A missing file gives
// the default silently; a damaged or unreadable one gives the default and
// one warning line on standard error.
int32_t LoadHighScore(const std::string& path);

// Replaces the file's content atomically; false with one warning line on
// standard error when it cannot be written (the old file stays).
bool SaveHighScore(const std::string& path, int32_t score);

}  // namespace tuublark
