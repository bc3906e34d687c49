#include "game/high_score_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/runtime/user_files.h"

namespace tuublark {
namespace {

// Exactly digits and one newline; anything else is damage (-1).
long long ParseHighScore(const std::string& text) {
    bool good = text.size() >= 2 && text.size() <= 11 && text.back() == '\n' &&
                text.find_first_not_of("0123456789") == text.size() - 1;
    long long value = good ? std::atoll(text.c_str()) : -1;
    return value > INT32_MAX ? -1 : value;
}

}  // namespace

std::string HighScorePath() {
    std::string folder = UserDataFolder();
    return folder.empty() ? "" : folder + "/highscore";
}

int32_t LoadHighScore(const std::string& path) {
    std::string text, error;
    bool missing = false;
    if (path.empty()) return kDefaultHighScore;
    if (!ReadTextFile(path, text, error, &missing)) {
        if (!missing)
            std::fprintf(stderr, "tuublark: %s; the high score starts from %d\n", error.c_str(), kDefaultHighScore);
        return kDefaultHighScore;
    }
    long long value = ParseHighScore(text);
    if (value < 0) {
        std::fprintf(stderr, "tuublark: %s: not a high score; it starts from %d\n", path.c_str(), kDefaultHighScore);
        return kDefaultHighScore;
    }
    if (value > kHighestKeptScore) {
        std::fprintf(stderr, "tuublark: %s: %lld is more than the HI panel shows; it starts from %d\n", path.c_str(),
                     value, kHighestKeptScore);
        return kHighestKeptScore;
    }
    return value > kDefaultHighScore ? static_cast<int32_t>(value) : kDefaultHighScore;
}

bool SaveHighScore(const std::string& path, int32_t score) {
    std::string error;
    if (path.empty()) return false;
    const long long kept = std::min(score, kHighestKeptScore);
    // Another copy of the game may have kept a better score since this one
    // started: the file is read again under the lock and only ever raised.
    auto raise = [kept](const std::string* current, std::string& text) {
        if (current && ParseHighScore(*current) >= kept) return false;
        text = std::to_string(kept) + "\n";
        return true;
    };
    if (UpdateFileAtomically(path, raise, error)) return true;
    std::fprintf(stderr, "tuublark: %s; the high score is not kept\n", error.c_str());
    return false;
}

}  // namespace tuublark
