// Replay files: key events by frame, read for --input and written by
// --record.
//
//   # comment            blank lines and '#' lines are ignored
//   seed 7               optional, first item only
//   highscore 12000      optional, before the key events: the high score
//                        the game started from
//   120 down left        at the start of frame 120 the key goes down
//   134 up left
//
// KEY is one of left right up down a s space escape, or a decimal
// virtual-key code 1..255. Frames start at 1 and never decrease.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/input/keyboard.h"

namespace tuublark {

struct TKeyEvent {
    int32_t Frame;
    bool Down;
    int Key;
};

class TInputScript {
public:
    // Parses `text`; on a malformed line returns false with `error` set to
    // "<name>:<line>: <what is wrong>". A last line cut short (no newline)
    // that does not parse ends the input there instead.
    bool Parse(const std::string& text, const std::string& name, std::string& error);
    // Reads and parses a file; unreadable files are reported in `error`.
    bool Load(const std::string& path, std::string& error);

    std::optional<int32_t> Seed() const { return seed_; }
    std::optional<int32_t> HighScore() const { return highScore_; }
    const std::vector<TKeyEvent>& Events() const { return events_; }

    // Applies, in file order, every event of `frame` not applied yet.
    void ApplyFrame(int32_t frame, KeyboardState& keyboard);

private:
    std::optional<int32_t> seed_;
    std::optional<int32_t> highScore_;
    std::vector<TKeyEvent> events_;
    size_t next_ = 0;
};

// Name of a key in replay files: a word for the game's eight keys, else
// its decimal code.
std::string KeyName(int key);
// Inverse of KeyName; -1 when the text names no key.
int ParseKeyName(const std::string& text);

class TInputRecorder {
public:
    ~TInputRecorder();
    // False with `error` set when the file cannot be written.
    // The high score, when given, is written after the seed.
    bool Open(const std::string& path, int32_t seed, std::optional<int32_t> highScore, std::string& error);
    // Appends one event. A write that fails (a full disk) closes the record
    // and is reported by Failed(); the game goes on.
    void Record(int32_t frame, bool down, int key);
    bool IsOpen() const { return file_ != nullptr; }
    bool Failed() const { return failed_; }

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace tuublark
