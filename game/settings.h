// The player's settings and the file that keeps them,
// $XDG_CONFIG_HOME/tuublark/settings.ini: one "name = value" a line, '#'
// or ';' comments (also after a value, following a space), '[section]'
// lines allowed, a UTF-8 byte-order mark read past. A bad line is reported
// as "FILE:LINE: reason" and ignored. A save changes only the values that
// changed, in the line that gave each its value; every other byte (other
// lines, comments, line endings, the mark) stays as the player wrote it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/input/key_bindings.h"

namespace tuublark {

// The window sizes the file accepts.
constexpr int32_t kMinWindowWidth = 200, kMinWindowHeight = 150, kMaxWindowSide = 16384;

struct TSettings {
    bool FullScreen = true;
    // The window's inner size; 0 x 0 lets the display choose (the largest
    // whole multiple of 800 x 600 that fits 90% of the desktop).
    int32_t WindowWidth = 0, WindowHeight = 0;
    int32_t MusicVolume = 100;    // 0..100, of the game's own channel volume
    int32_t EffectsVolume = 100;  // 0..100
    TKeyBindings Keys;
    // Audio output latency in milliseconds; 0 keeps the audio driver's own.
    int32_t AudioLatencyMs = 0;
    // The render driver: "gl" (OpenGL 1.1) or "gles2" (OpenGL ES 2.0).
    std::string Renderer = "gl";
    // Seconds on the title screen with no key before the demo; 0: never.
    int32_t DemoAfterSeconds = 30;
};

// Names of the game keys in the file and on the options screen, in the
// order of kGameKeys.
extern const char* const kGameKeyNames[kGameKeyCount];

class TSettingsFile {
public:
    // Replaces the values by those of `text` over the defaults; each bad
    // line is added to `problems` as "NAME:LINE: reason".
    void Parse(const std::string& text, const std::string& name, std::vector<std::string>& problems);
    // The file's text for the current values: the text read, with each
    // value that changed since written into the line that gave it (or
    // added at the end); a file that had no lines gets every name.
    std::string Render() const;
    // The text as read or last saved.
    const std::string& Text() const { return text_; }
    // `text` (from Render) is now the file's.
    void Saved(const std::string& text);

    TSettings Values;
    // The file could not be read whole, or is read-only: it is never
    // written.
    bool Refused = false;

private:
    static constexpr size_t kNoField = ~size_t(0);
    struct TLine {
        std::string Text;    // without its line ending
        std::string Ending;  // "\n", "\r\n" or "" (the last line, unended)
        size_t Field = kNoField;
        size_t ValueBegin = 0, ValueEnd = 0;
        bool Accepted = false;
    };
    std::vector<TLine> lines_;
    std::string text_;
    bool byteOrderMark_ = false;
    TSettings read_;  // the values as read or last saved
};

// The settings file's path; "" when no home folder is known.
std::string SettingsPath();
// Reads the file at `path` (a missing file gives the defaults silently);
// problems go to standard error, one line each.
TSettingsFile LoadSettings(const std::string& path);
// Writes the changed values atomically (through a symbolic link, keeping
// the file's permissions); nothing when no value changed. False with one
// line on standard error on failure; a refused or read-only file is not
// written, and read-only is said once.
bool SaveSettings(const std::string& path, TSettingsFile& file);

// A window's size as the file keeps it: clamped to the sizes it accepts.
void KeepWindowSize(TSettings& settings, int32_t width, int32_t height);

}  // namespace tuublark
