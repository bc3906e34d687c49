// The frames of a run, from its first to its last: the input, the rules,
// the trace and profile, the kept high score, and the pause, options and
// demo that a player's run opens between frames.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "engine/input/input_script.h"
#include "engine/runtime/file_open.h"
#include "game/command_line.h"
#include "game/frame_profile.h"
#include "game/settings.h"

namespace tuublark {

struct GameState;

// What the frames share with the run's start and end, which own it all.
struct TRunFrames {
    const CommandLine& Options;
    GameState& Game;
    // The input file's keys; none without --input.
    TInputScript& Script;
    bool PlayerRun;
    bool KeepHighScore;
    const std::string& HighScorePath;
    int32_t& HighScore;
    TSettingsFile& SettingsFile;
    TSettings& Settings;
    TFrameProfile& Profile;
    // Closed, after a message, when a line cannot be written.
    std::unique_ptr<std::FILE, FileCloser>& Trace;
    TInputRecorder& Recorder;
    // The recorder's keyboard listener, set again after the demo.
    const std::function<void(bool down, int key)>& RecordKey;
    // The frame being played, counted from 1.
    int32_t& Frame;
};

// Plays frames until the last one (--frames, a quit, a stop signal).
// Returns 0, or 2 when the trace or screenshot could not be written.
int PlayFrames(TRunFrames& run);

}  // namespace tuublark
