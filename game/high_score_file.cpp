#include "game/high_score_file.h"

#include <cstdio>
#include <cstdlib>

#include "engine/runtime/user_files.h"

namespace tuublark {

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
    // Exactly digits and one newline; anything else is damage.
    bool good = text.size() >= 2 && text.size() <= 11 && text.back() == '\n' &&
                text.find_first_not_of("0123456789") == text.size() - 1;
    long long value = good ? std::atoll(text.c_str()) : -1;
    if (!good || value > INT32_MAX) {
        std::fprintf(stderr, "tuublark: %s: not a high score; it starts from %d\n", path.c_str(), kDefaultHighScore);
        return kDefaultHighScore;
    }
    return value > kDefaultHighScore ? static_cast<int32_t>(value) : kDefaultHighScore;
}

bool SaveHighScore(const std::string& path, int32_t score) {
    std::string error;
    if (path.empty()) return false;
    if (WriteFileAtomically(path, std::to_string(score) + "\n", error)) return true;
    std::fprintf(stderr, "tuublark: %s; the high score is not kept\n", error.c_str());
    return false;
}

}  // namespace tuublark
