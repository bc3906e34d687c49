#include "engine/input/input_script.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>

#include "engine/runtime/file_open.h"

namespace tuublark {
namespace {

struct NamedKey {
    const char* Name;
    int Key;
};

constexpr NamedKey kNamedKeys[] = {
    {"left", VkLeft}, {"right", VkRight}, {"up", VkUp},       {"down", VkDown},
    {"a", VkA},       {"s", VkS},         {"space", VkSpace}, {"escape", VkEscape},
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

// A byte without taking the stream's lock each time: a long file of
// comments reads three times faster.
int ReadByte(std::FILE* file) {
#ifdef _WIN32
    return _getc_nolock(file);
#else
    return getc_unlocked(file);
#endif
}

// The words of a line, split at the C locale's white space. Read by hand:
// a string stream costs a locale and a buffer for every line of a record.
std::vector<std::string> Words(const std::string& line) {
    constexpr const char* kSpace = " \t\n\v\f\r";
    std::vector<std::string> words;
    size_t end = 0;
    while (true) {
        size_t begin = line.find_first_not_of(kSpace, end);
        if (begin == std::string::npos) return words;
        end = line.find_first_of(kSpace, begin);
        words.push_back(line.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
        if (end == std::string::npos) return words;
    }
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

// One line at a time from a file or from text in memory.
struct TInputScript::TReader {
    std::FILE* File = nullptr;
    const std::string* Text = nullptr;
    size_t Position = 0;

    enum TLine { Whole, Cut, End, TooLong };
    // A line without its newline; Cut when the text ends without one.
    TLine Next(std::string& line) {
        line.clear();
        while (true) {
            int c = File ? ReadByte(File)
                         : (Position < Text->size() ? static_cast<unsigned char>((*Text)[Position++]) : EOF);
            if (c == EOF) return line.empty() ? End : Cut;
            if (c == '\n') return Whole;
            if (line.size() == kMaxLineBytes) return TooLong;
            line += static_cast<char>(c);
        }
    }
};

TInputScript::~TInputScript() {
    if (file_) std::fclose(file_);
}

void TInputScript::Reset() {
    lineNumber_ = 0;
    lastFrame_ = 1;
    anyItem_ = false;
    anyEvent_ = false;
}

TInputScript::TStep TInputScript::NextEvent(TReader& reader, TKeyEvent& event, std::string& error) {
    std::string line;
    while (true) {
        TReader::TLine kind = reader.Next(line);
        if (kind == TReader::End) return TStep::End;
        lineNumber_ += 1;
        if (kind == TReader::TooLong) {
            error = name_ + ":" + std::to_string(lineNumber_) + ": line too long";
            return TStep::Error;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // An editor's UTF-8 byte-order mark before the first line.
        if (lineNumber_ == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        // A record cut inside its last line (a crash, a partial copy) may end
        // in another key's name or frame: nothing of it is taken.
        if (kind == TReader::Cut) {
            error =
                name_ + ":" + std::to_string(lineNumber_) + ": the last line has no newline (the file is cut short)";
            return TStep::Error;
        }

        size_t first = line.find_first_not_of(" \t\v\f\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::vector<std::string> words = Words(line);
        if (words.empty() || words[0][0] == '#') continue;

        std::string problem;
        long long value = 0;
        bool found = false;
        if (words[0] == "seed") {
            if (anyItem_) problem = "'seed' must be the first item";
            else if (words.size() != 2 || !ParseInt(words[1], INT32_MIN, INT32_MAX, value))
                problem = "expected 'seed N' with N a 32-bit integer";
            else seed_ = static_cast<int32_t>(value);
        } else if (words[0] == "highscore") {
            // Read again with the events during play: the first reading stands.
            if (anyEvent_ || (highScore_ && !file_)) problem = "'highscore' must come before the key events, once";
            else if (words.size() != 2 || !ParseInt(words[1], 0, INT32_MAX, value))
                problem = "expected 'highscore N' with N from 0 to 2147483647";
            else highScore_ = static_cast<int32_t>(value);
        } else if (words.size() != 3) {
            problem = "expected 'FRAME down KEY' or 'FRAME up KEY'";
        } else if (!ParseInt(words[0], 1, INT32_MAX, value)) {
            problem = "frame '" + words[0] + "' is not a number from 1 to 2147483647";
        } else if (value < lastFrame_) {
            problem = "frame " + words[0] + " comes after frame " + std::to_string(lastFrame_);
        } else if (words[1] != "down" && words[1] != "up") {
            problem = "expected 'down' or 'up', found '" + words[1] + "'";
        } else if (ParseKeyName(words[2]) < 0) {
            problem = "unknown key '" + words[2] + "'";
        } else {
            lastFrame_ = static_cast<int32_t>(value);
            event = {lastFrame_, words[1] == "down", ParseKeyName(words[2])};
            found = true;
            anyEvent_ = true;
        }
        if (!problem.empty()) {
            error = name_ + ":" + std::to_string(lineNumber_) + ": " + problem;
            return TStep::Error;
        }
        anyItem_ = true;
        if (found) return TStep::Event;
    }
}

bool TInputScript::ReadAll(TReader& reader, bool keep, std::string& error) {
    seed_.reset();
    highScore_.reset();
    events_.clear();
    next_ = 0;
    pending_.reset();
    Reset();
    TKeyEvent event;
    TStep step;
    while ((step = NextEvent(reader, event, error)) == TStep::Event)
        if (keep) events_.push_back(event);
    return step == TStep::End;
}

bool TInputScript::Parse(const std::string& text, const std::string& name, std::string& error) {
    name_ = name;
    TReader reader;
    reader.Text = &text;
    return ReadAll(reader, true, error);
}

bool TInputScript::Load(const std::string& path, std::string& error) {
    std::FILE* file = OpenFile(path, "rb");
    if (!file) {
        error = path + ": cannot read input file (" + std::strerror(errno) + ")";
        return false;
    }
    struct stat info {};
    const bool regular = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode);
    name_ = path;
    TReader reader;
    reader.File = file;
    bool ok = ReadAll(reader, !regular, error);
    // A read error (a folder opens, then refuses to be read) must not pass
    // for an empty input.
    if (ok && std::ferror(file)) {
        error = path + ": cannot read input file (" + std::strerror(errno) + ")";
        ok = false;
    }
    if (ok && regular && std::fseek(file, 0, SEEK_SET) != 0) {
        error = path + ": cannot read input file (" + std::strerror(errno) + ")";
        ok = false;
    }
    if (!ok || !regular) {
        std::fclose(file);
        return ok;
    }
    // The file checked out: it is read again from the start as play goes.
    if (file_) std::fclose(file_);
    file_ = file;
    Reset();
    return true;
}

void TInputScript::ApplyFrame(int32_t frame, KeyboardState& keyboard) {
    auto apply = [&](const TKeyEvent& event) {
        if (event.Down) keyboard.Press(event.Key);
        else keyboard.Release(event.Key);
    };
    while (next_ < events_.size() && events_[next_].Frame <= frame) apply(events_[next_++]);
    while (file_) {
        if (!pending_) {
            TReader reader;
            reader.File = file_;
            TKeyEvent event;
            std::string error;
            // Checked already: an error now means the file changed, which
            // ends the input.
            if (NextEvent(reader, event, error) != TStep::Event) {
                std::fclose(file_);
                file_ = nullptr;
                break;
            }
            pending_ = event;
        }
        if (pending_->Frame > frame) break;
        apply(*pending_);
        pending_.reset();
    }
}

TInputRecorder::~TInputRecorder() {
    if (file_) std::fclose(file_);
}

bool TInputRecorder::Open(const std::string& path, int32_t seed, std::optional<int32_t> highScore, std::string& error) {
    file_ = OpenFile(path, "w");
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
