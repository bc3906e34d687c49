#include "engine/input/input_script.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tuublark {
namespace {

struct NamedKey {
    const char* Name;
    int Key;
};

constexpr NamedKey kNamedKeys[] = {
    {"left", VkLeft},   {"right", VkRight}, {"up", VkUp},         {"down", VkDown},
    {"a", VkA},         {"s", VkS},         {"space", VkSpace},   {"escape", VkEscape},
};

bool ParseInt(const std::string& text, long long lo, long long hi, long long& value) {
    if (text.empty()) return false;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    if (text.size() > 12) return false;
    value = std::strtoll(text.c_str(), nullptr, 10);
    return value >= lo && value <= hi;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

}  // namespace

std::string KeyName(int key) {
    for (const NamedKey& named : kNamedKeys)
        if (named.Key == key) return named.Name;
    return std::to_string(key);
}

int ParseKeyName(const std::string& text) {
    for (const NamedKey& named : kNamedKeys)
        if (text == named.Name) return named.Key;
    long long code;
    if (ParseInt(text, 1, 255, code)) return static_cast<int>(code);
    return -1;
}

bool TInputScript::Parse(const std::string& text, const std::string& name, std::string& error) {
    seed_.reset();
    events_.clear();
    next_ = 0;
    highScore_.reset();
    bool anyItem = false;
    bool anyEvent = false;
    int32_t lastFrame = 1;
    size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        bool complete = end != std::string::npos;
        if (!complete) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        lineNumber += 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();

        std::vector<std::string> words = Words(line);
        if (words.empty() || words[0][0] == '#') continue;

        std::string problem;
        long long value = 0;
        if (words[0] == "seed") {
            if (anyItem) problem = "'seed' must be the first item";
            else if (words.size() != 2 || !ParseInt(words[1], INT32_MIN, INT32_MAX, value))
                problem = "expected 'seed N' with N a 32-bit integer";
            else seed_ = static_cast<int32_t>(value);
        } else if (words[0] == "highscore") {
            if (anyEvent || highScore_) problem = "'highscore' must come before the key events, once";
            else if (words.size() != 2 || !ParseInt(words[1], 0, INT32_MAX, value))
                problem = "expected 'highscore N' with N from 0 to 2147483647";
            else highScore_ = static_cast<int32_t>(value);
        } else if (words.size() != 3) {
            problem = "expected 'FRAME down KEY' or 'FRAME up KEY'";
        } else if (!ParseInt(words[0], 1, INT32_MAX, value)) {
            problem = "frame '" + words[0] + "' is not a number from 1 to 2147483647";
        } else if (value < lastFrame) {
            problem = "frame " + words[0] + " comes after frame " + std::to_string(lastFrame);
        } else if (words[1] != "down" && words[1] != "up") {
            problem = "expected 'down' or 'up', found '" + words[1] + "'";
        } else if (ParseKeyName(words[2]) < 0) {
            problem = "unknown key '" + words[2] + "'";
        } else {
            lastFrame = static_cast<int32_t>(value);
            events_.push_back({lastFrame, words[1] == "down", ParseKeyName(words[2])});
            anyEvent = true;
        }
        if (!problem.empty()) {
            if (!complete) break;  // a file cut short: the input ends here
            error = name + ":" + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
        anyItem = true;
    }
    return true;
}

bool TInputScript::Load(const std::string& path, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = path + ": cannot read input file (" + std::strerror(errno) + ")";
        return false;
    }
    // A read error (a folder opens, then refuses to be read) must not pass
    // for an empty input.
    std::string text;
    char chunk[4096];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, count);
    const int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (readError != 0) {
        error = path + ": cannot read input file (" + std::strerror(readError) + ")";
        return false;
    }
    return Parse(text, path, error);
}

void TInputScript::ApplyFrame(int32_t frame, KeyboardState& keyboard) {
    while (next_ < events_.size() && events_[next_].Frame <= frame) {
        const TKeyEvent& event = events_[next_++];
        if (event.Down) keyboard.Press(event.Key);
        else keyboard.Release(event.Key);
    }
}

TInputRecorder::~TInputRecorder() {
    if (file_) std::fclose(file_);
}

bool TInputRecorder::Open(const std::string& path, int32_t seed, std::optional<int32_t> highScore,
                          std::string& error) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) {
        error = path + ": cannot write record file (" + std::strerror(errno) + ")";
        return false;
    }
    // The seed line is written at once, so a file that takes no data (a
    // full disk) is refused here instead of leaving an empty record.
    std::fprintf(file_, "# tuublark key record\nseed %d\n", seed);
    if (highScore) std::fprintf(file_, "highscore %d\n", *highScore);
    if (std::fflush(file_) != 0 || std::ferror(file_)) {
        error = path + ": cannot write record file (" + std::strerror(errno) + ")";
        std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    return true;
}

void TInputRecorder::Record(int32_t frame, bool down, int key) {
    if (!file_) return;
    if (std::fprintf(file_, "%d %s %s\n", frame, down ? "down" : "up", KeyName(key).c_str()) < 0 ||
        std::fflush(file_) != 0) {
        std::fclose(file_);
        file_ = nullptr;
        failed_ = true;
    }
}

}  // namespace tuublark
