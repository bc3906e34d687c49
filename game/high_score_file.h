// The high score kept between runs, $XDG_DATA_HOME/tuublark/highscore: the
// number and a newline.
#pragma once

#include <cstdint>
#include <string>

namespace tuublark {

// The high score a run starts from when no file says more.
constexpr int32_t kDefaultHighScore = 10000;
// The largest high score kept: the most the HI panel shows whole between
// its tag's edges. A larger one is read and written as this.
constexpr int32_t kHighestKeptScore = 9999999;

// The file's path; "" when no home folder is known.
std::string HighScorePath();

// The kept high score, from kDefaultHighScore to kHighestKeptScore. A
// missing file gives the default silently; a damaged or unreadable one
// gives the default, and a larger one kHighestKeptScore, with one warning
// line on standard error.
int32_t LoadHighScore(const std::string& path);

// Keeps `score` (at most kHighestKeptScore) when it beats the file's score
// at this moment, read again under a lock, so a copy of the game ending
// later never lowers it; the file is replaced atomically. False with one
// warning line on standard error when it cannot be written (the old file
// stays).
bool SaveHighScore(const std::string& path, int32_t score);

}  // namespace tuublark
