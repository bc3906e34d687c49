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
    TInputScript() = default;
    ~TInputScript();
    TInputScript(const TInputScript&) = delete;
    TInputScript& operator=(const TInputScript&) = delete;

    // Parses `text`, keeping every event; on a malformed line returns false
    // with `error` set to "<name>:<line>: <what is wrong>". A last line cut
    // short (no newline) that does not parse ends the input there instead.
    // Lines longer than kMaxLineBytes are refused.
    bool Parse(const std::string& text, const std::string& name, std::string& error);
    // Checks a whole file as Parse does, line by line. A regular file is
    // then read again as the frames need its events, so no file size costs
    // memory; the events of other files (pipes, devices) are kept.
    bool Load(const std::string& path, std::string& error);

    std::optional<int32_t> Seed() const { return seed_; }
    std::optional<int32_t> HighScore() const { return highScore_; }
    // The events kept in memory: all of them after Parse.
    const std::vector<TKeyEvent>& Events() const { return events_; }

    // Applies, in file order, every event of `frame` not applied yet.
    void ApplyFrame(int32_t frame, KeyboardState& keyboard);

    static constexpr size_t kMaxLineBytes = 4096;

private:
    struct TReader;
    enum class TStep { Event, End, Error };
    // Reads lines up to the next event (`event` set) or the end.
    TStep NextEvent(TReader& reader, TKeyEvent& event, std::string& error);
    bool ReadAll(TReader& reader, bool keep, std::string& error);
    void Reset();

    std::optional<int32_t> seed_;
    std::optional<int32_t> highScore_;
    std::vector<TKeyEvent> events_;
    size_t next_ = 0;
    // Parsing state.
    std::string name_;
    int64_t lineNumber_ = 0;
    int32_t lastFrame_ = 1;
    bool anyItem_ = false;
    bool anyEvent_ = false;
    // A regular file read again during play, and its next event.
    std::FILE* file_ = nullptr;
    std::optional<TKeyEvent> pending_;
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
